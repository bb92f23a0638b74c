// Files in memory, with every failure a test may want to provoke.
#pragma once

#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>

#include "wordlist/FileSystem.h"
#include "wordlist/PrivateList.h"

namespace quorvel::testing {

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> readOnly;
  std::map<std::string, std::string> readErrors;  // path -> reason the read fails
  std::string createError;                        // createReadOnly fails with this reason
  std::function<void()> beforeCreate;             // runs just before a file is created
  int reads = 0;

  ReadResult readAll(const std::filesystem::path& path) override {
    ++reads;
    ReadResult result;
    if (auto error = readErrors.find(path.string()); error != readErrors.end()) {
      result.error = error->second;
      return result;
    }
    auto file = files.find(path.string());
    if (file == files.end()) {
      result.notFound = true;
      result.error = "No such file or directory";
      return result;
    }
    result.ok = true;
    result.bytes = file->second;
    return result;
  }

  bool exists(const std::filesystem::path& path) override { return files.count(path.string()) > 0; }

  std::string createReadOnly(const std::filesystem::path& target, std::string_view bytes) override {
    if (beforeCreate) beforeCreate();
    if (!createError.empty()) return createError;
    if (files.count(target.string()) > 0) return "File exists";
    files[target.string()] = std::string(bytes);
    readOnly.insert(target.string());
    return {};
  }

  Ownership ownership(const std::filesystem::path&) override { return {}; }
};

// A repeatable stand-in for the system's random source.
class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
  double next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

 private:
  std::mt19937_64 engine_;
};

}  // namespace quorvel::testing
