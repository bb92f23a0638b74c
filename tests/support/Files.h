// File helpers for tests that work on the real file system.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace quorvel::testing {

inline std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Permission bits of the entry itself (a link is not followed).
inline unsigned fileMode(const std::filesystem::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return 0xFFFFFFFFu;
  return info.st_mode & 07777;
}

// A new empty directory under the system's temporary folder; empty when none could be made.
inline std::filesystem::path makeScratchDir(std::string_view stem) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
  return ::mkdtemp(pattern.data()) != nullptr ? std::filesystem::path(pattern)
                                              : std::filesystem::path();
}

}  // namespace quorvel::testing
