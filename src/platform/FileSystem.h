// The few file operations the word lists need, behind an interface so that tests can make
// every one of them fail on purpose.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Result.h"

namespace quorvel {

// The largest file readAll takes. Word lists of any sensible length lie far below it; a bigger
// file (a disk image chosen by mistake, say) is refused before it can fill the memory, or as
// soon as it grows past it while read.
inline constexpr std::size_t kLargestFile = std::size_t{64} << 20;

// Who besides the user running the program may change an entry.
struct Ownership {
  unsigned mode = 0;          // permission bits with set-id and sticky bits, links followed
  bool foreignOwner = false;  // it belongs to another user
  std::string owner;          // the owner's user name, or its number when it has none
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The whole file, or why not. A directory, a read error midway or a file that changes size
  // while it is read is a failure, never a silently shortened result; so is a file too large
  // to be a word list.
  virtual Result<std::string> readAll(const std::filesystem::path& path) = 0;
  // True for any existing entry, read-only files included.
  virtual bool exists(const std::filesystem::path& path) = 0;
  // Creates `target` holding exactly `bytes`, readable by its owner alone, or fails and
  // leaves nothing behind: writes an unnamed file in the same directory, flushes it to disk,
  // makes it read-only, then links it into place without replacing anything that appeared
  // meanwhile.
  virtual Result<void> createReadOnly(const std::filesystem::path& target,
                                      std::string_view bytes) = 0;
  // Mode and owner of an entry, symbolic links followed.
  virtual Result<Ownership> ownership(const std::filesystem::path& path) = 0;
};

}  // namespace quorvel
