// Files in memory with the faults a test may want of them, and a repeatable random source.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "platform/FileSystem.h"
#include "platform/RandomSource.h"
#include "support/Files.h"
#include "wordlist/Languages.h"

namespace quorvel::testing {

inline std::string shippedFile(std::string_view name) {
  return readBytes(std::filesystem::path(QUORVEL_DATA_DIR) / name);
}

// The shipped public lists in /q at first. The n-th read or write fails (counted from 1), and
// the disk is full after `room` bytes.
struct MemoryFiles : FileSystem {
  std::map<std::string, std::string> files;
  std::set<std::string> readOnly;
  int reads = 0, writes = 0, failRead = 0, failWrite = 0;
  std::size_t room = 1 << 30;

  MemoryFiles() {
    for (const auto lang : kLanguages)
      files["/q/" + publicFileName(lang)] = shippedFile(publicFileName(lang));
  }
  // Paths are keyed with forward slashes, as the tests write them, whatever the system's.
  static std::string key(const std::filesystem::path& path) { return path.generic_string(); }
  Result<std::string> readAll(const std::filesystem::path& path) override {
    if (++reads == failRead) return Error(std::errc::io_error, "Input/output error");
    if (!exists(path))
      return Error(std::errc::no_such_file_or_directory, "No such file or directory");
    return files[key(path)];
  }
  bool exists(const std::filesystem::path& path) override { return files.count(key(path)) > 0; }
  Result<void> createReadOnly(const std::filesystem::path& path, std::string_view bytes) override {
    if (++writes == failWrite) return Error(std::errc::permission_denied, "Permission denied");
    if (exists(path)) return Error(std::errc::file_exists, "File exists");
    if (bytes.size() > room) return Error(std::errc::no_space_on_device, "No space left on device");
    readOnly.insert(key(path));
    files[key(path)] = bytes;
    return {};
  }
  Result<Ownership> ownership(const std::filesystem::path&) override { return Ownership(); }
  std::vector<std::string> sweeps;  // the targets whose leftovers were removed
  void removeLeftovers(const std::filesystem::path& target) override {
    sweeps.push_back(key(target));
  }
};

// The scripted numbers first, then a seeded generator's; a broken source has none at all.
struct SeededRandom : RandomSource {
  std::deque<double> script;
  bool broken = false;
  std::mt19937_64 engine{1};

  Result<double> next() override {
    if (broken) return Error(std::errc::function_not_supported, "getrandom: not implemented");
    const double r = script.empty() ? (engine() >> 11) * 0x1.0p-53 : script.front();
    if (!script.empty()) script.pop_front();
    return r;
  }
};

}  // namespace quorvel::testing
