// Files in memory, with every failure a test may want to provoke.
#pragma once

#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>

#include "platform/FileSystem.h"
#include "platform/RandomSource.h"

namespace quorvel::testing {

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> readOnly;
  std::map<std::string, std::string> readErrors;  // path -> reason the read fails
  std::string createError;                        // createReadOnly fails with this reason
  std::function<void()> beforeCreate;             // runs just before a file is created
  int reads = 0;

  Result<std::string> readAll(const std::filesystem::path& path) override {
    ++reads;
    if (auto error = readErrors.find(path.string()); error != readErrors.end()) {
      return Error(std::errc::io_error, error->second);
    }
    auto file = files.find(path.string());
    if (file == files.end())
      return Error(std::errc::no_such_file_or_directory, "No such file or directory");
    return file->second;
  }

  bool exists(const std::filesystem::path& path) override { return files.count(path.string()) > 0; }

  Result<void> createReadOnly(const std::filesystem::path& target,
                              std::string_view bytes) override {
    if (beforeCreate) beforeCreate();
    if (!createError.empty()) return Error(std::errc::io_error, createError);
    if (files.count(target.string()) > 0) return Error(std::errc::file_exists, "File exists");
    files[target.string()] = std::string(bytes);
    readOnly.insert(target.string());
    return {};
  }

  Result<Ownership> ownership(const std::filesystem::path&) override {
    return Error(std::errc::not_supported, "no owners in memory");
  }
};

// A repeatable stand-in for the system's random source.
class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
  Result<double> next() override {
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
  }

 private:
  std::mt19937_64 engine_;
};

}  // namespace quorvel::testing
