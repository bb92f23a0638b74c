// The few file operations the word lists need, behind an interface so that tests can make
// every one of them fail on purpose.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvel {

struct ReadResult {
  bool ok = false;
  bool notFound = false;  // the file does not exist (as opposed to existing but unreadable)
  std::string bytes;
  std::string error;  // a short reason when !ok, e.g. "Permission denied"
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The whole file, or why not. A directory, a read error midway or a file that changes size
  // while it is read is a failure, never a silently shortened result.
  virtual ReadResult readAll(const std::filesystem::path& path) = 0;
  // True for any existing entry, read-only files included.
  virtual bool exists(const std::filesystem::path& path) = 0;
  // Creates `target` holding exactly `bytes`, with no write permission for anyone, or fails
  // and leaves nothing behind: writes a temporary file in the same directory, flushes it to
  // disk, makes it read-only, then links it into place without replacing anything that
  // appeared meanwhile. Returns an empty string on success, else the reason.
  virtual std::string createReadOnly(const std::filesystem::path& target,
                                     std::string_view bytes) = 0;
};

// The real file system (POSIX).
class RealFileSystem : public FileSystem {
 public:
  ReadResult readAll(const std::filesystem::path& path) override;
  bool exists(const std::filesystem::path& path) override;
  std::string createReadOnly(const std::filesystem::path& target, std::string_view bytes) override;

 protected:
  // Writes one chunk to an open descriptor; returns bytes written or -1 with errno set.
  // Tests override it to inject a failure midway.
  virtual long writeChunk(int fd, const char* data, unsigned long size);
};

// The directory that holds the running executable, resolved through symlinks.
std::filesystem::path programDirectory();

}  // namespace quorvel
