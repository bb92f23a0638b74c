// File helpers for tests that work on the real file system.
#pragma once

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

// Permission bits of the entry itself (a link is not followed).
inline unsigned fileMode(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(path, error);
  return error ? 0xFFFFFFFFu : static_cast<unsigned>(status.permissions()) & 07777;
}

// A new empty directory under the system's temporary folder, private to the user; empty when
// none could be made.
inline std::filesystem::path makeScratchDir(std::string_view stem) {
  std::error_code error;
  const auto dir = std::filesystem::temp_directory_path(error) /
                   (std::string(stem) + "-" + std::to_string(std::random_device()()));
  if (!std::filesystem::create_directory(dir, error)) return "";
  std::filesystem::permissions(dir, std::filesystem::perms::owner_all, error);
  return dir;
}

}  // namespace quorvel::testing
