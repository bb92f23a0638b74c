// File helpers for tests that work on the real file system.
#pragma once

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace quorvel::testing {

inline std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

#ifndef _WIN32
// Permission bits of the entry itself (a link is not followed).
inline unsigned fileMode(const std::filesystem::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0xFFFFFFFFu;
}
#endif

// A new empty directory under the system's temporary folder; empty when none could be made.
inline std::filesystem::path makeScratchDir(std::string_view stem) {
  std::random_device seed;
  std::mt19937_64 draw(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name(stem);
    name += '-';
    for (int k = 0; k < 8; ++k) name += "0123456789abcdefghijklmnopqrstuvwxyz"[draw() % 36];
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / name;
    std::error_code error;
    // False, without an error, when the name is taken: then another one is drawn.
    if (std::filesystem::create_directory(dir, error)) {
      // Private to the user, as mkdtemp makes it, whatever the umask.
      std::filesystem::permissions(dir, std::filesystem::perms::owner_all, error);
      return dir;
    }
    if (error) return "";
  }
  return "";
}

}  // namespace quorvel::testing
