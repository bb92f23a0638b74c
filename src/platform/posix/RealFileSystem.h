// The file system of a POSIX system (Linux: unnamed files and /proc are used where present).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace quorvel {

// The moments of createReadOnly at which a crash leaves a different state on disk.
enum class CreateStep { Opened, Written, Synced, Sealed, Named };

class RealFileSystem : public FileSystem {
 public:
  Result<std::string> readAll(const std::filesystem::path& path) override;
  bool exists(const std::filesystem::path& path) override;
  Result<void> createReadOnly(const std::filesystem::path& target, std::string_view bytes) override;
  Result<Ownership> ownership(const std::filesystem::path& path) override;
  void removeLeftovers(const std::filesystem::path& target) override;

 protected:
  // Writes one chunk to an open descriptor; returns bytes written or -1 with errno set.
  // Tests override it to inject a failure midway.
  virtual long writeChunk(int fd, const char* data, unsigned long size);
  // Opens a new unnamed file in `dir` for writing; -1 with errno set when it cannot. Tests
  // override it to take the way of file systems that have no unnamed files.
  virtual int openUnnamed(const std::filesystem::path& dir);
  // Links `from` (relative to the descriptor `fromDir`) to the new name `to` as linkat does; -1
  // with errno set when it cannot. Tests override it to take the ways of systems without /proc
  // or without hard links.
  virtual int linkAt(int fromDir, const char* from, const char* to, int flags);
  // Called as createReadOnly passes each step, so that a test can stop the process there.
  virtual void reached(CreateStep /*step*/) {}

 private:
  // Gives an unnamed file its name; like link, linkat refuses a name that exists. Returns 0 or
  // an errno value.
  int linkUnnamed(int fd, const std::filesystem::path& target);
};

// Whether a group entry, its name and its null-terminated list of members, names no user but
// `owner` (the owner's private group must, besides, be no other user's primary group).
bool ownGroupEntry(std::string_view owner, const char* name, const char* const* members);

// The directory that holds the running executable, resolved through symlinks.
std::filesystem::path programDirectory();

}  // namespace quorvel
