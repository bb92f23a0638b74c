// The few file operations the word lists need, behind an interface so that tests can make
// every one of them fail on purpose.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quorvel {

// The largest file readAll takes. Word lists of any sensible length lie far below it; a bigger
// file (a disk image chosen by mistake, say) is refused before it can fill the memory.
inline constexpr std::size_t kLargestFile = std::size_t{64} << 20;

struct ReadResult {
  bool ok = false;
  bool notFound = false;  // the file does not exist (as opposed to existing but unreadable)
  std::string bytes;
  std::string error;  // a short reason when !ok, e.g. "Permission denied"
};

// Who besides the user running the program may change an entry.
struct Ownership {
  bool known = false;         // false when the entry could not be examined
  unsigned mode = 0;          // permission bits with set-id and sticky bits, links followed
  bool foreignOwner = false;  // it belongs to another user
  std::string owner;          // the owner's user name, or its number when it has none
};

// The moments of createReadOnly at which a crash leaves a different state on disk.
enum class CreateStep { Opened, Written, Synced, Sealed, Named };

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The whole file, or why not. A directory, a read error midway or a file that changes size
  // while it is read is a failure, never a silently shortened result; so is a file larger
  // than kLargestFile, found out before reading, or as soon as it grows past it while read.
  virtual ReadResult readAll(const std::filesystem::path& path) = 0;
  // True for any existing entry, read-only files included.
  virtual bool exists(const std::filesystem::path& path) = 0;
  // Creates `target` holding exactly `bytes`, readable by its owner alone, or fails and
  // leaves nothing behind: writes an unnamed file in the same directory, flushes it to disk,
  // makes it read-only, then links it into place without replacing anything that appeared
  // meanwhile. Returns an empty string on success, else the reason.
  virtual std::string createReadOnly(const std::filesystem::path& target,
                                     std::string_view bytes) = 0;
  // Mode and owner of an entry, symbolic links followed.
  virtual Ownership ownership(const std::filesystem::path& path) = 0;
};

// The real file system (POSIX).
class RealFileSystem : public FileSystem {
 public:
  ReadResult readAll(const std::filesystem::path& path) override;
  bool exists(const std::filesystem::path& path) override;
  std::string createReadOnly(const std::filesystem::path& target, std::string_view bytes) override;
  Ownership ownership(const std::filesystem::path& path) override;

 protected:
  // Writes one chunk to an open descriptor; returns bytes written or -1 with errno set.
  // Tests override it to inject a failure midway.
  virtual long writeChunk(int fd, const char* data, unsigned long size);
  // Opens a new unnamed file in `dir` for writing; -1 with errno set when it cannot. Tests
  // override it to take the way of file systems that have no unnamed files.
  virtual int openUnnamed(const std::filesystem::path& dir);
  // Called as createReadOnly passes each step, so that a test can stop the process there.
  virtual void reached(CreateStep /*step*/) {}
};

// The directory that holds the running executable, resolved through symlinks.
std::filesystem::path programDirectory();

}  // namespace quorvel
