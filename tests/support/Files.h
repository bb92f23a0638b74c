// File helpers for tests that work on the real file system.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace quorvel::testing {

inline std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// Permission bits of the entry itself (a link is not followed).
inline unsigned fileMode(const std::filesystem::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0xFFFFFFFFu;
}

// A new empty directory under the system's temporary folder; empty when none could be made.
inline std::filesystem::path makeScratchDir(std::string_view stem) {
  std::string pattern = std::filesystem::temp_directory_path() / (std::string(stem) + "-XXXXXX");
  return ::mkdtemp(pattern.data()) != nullptr ? std::filesystem::path(pattern) : "";
}

}  // namespace quorvel::testing
