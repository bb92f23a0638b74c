#include "platform/posix/RealFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <system_error>
#include <vector>

namespace quorvel {

namespace {

// An errno value as a failure; its message is the system's own text for it.
Error osError(int number) {
  const std::error_code code(number, std::generic_category());
  return {code, code.message()};
}

// Closes a descriptor once, whichever way the function that owns it is left.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now, reporting the error a delayed write can surface only here.
  int close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// No-replace rename, for file systems that refuse hard links. Returns 0 or an errno value.
int renameNoReplace(const char* from, const char* to) {
#if defined(SYS_renameat2)
  constexpr unsigned kRenameNoReplace = 1;  // RENAME_NOREPLACE, absent from older libc headers
  if (::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, kRenameNoReplace) == 0) return 0;
  return errno;
#else
  (void)from;
  (void)to;
  return ENOSYS;
#endif
}

bool linkUnsupported(int error) {
  return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == EXDEV ||
         error == ENOSYS || error == EMLINK;
}

// O_TMPFILE is missing from the file system (EOPNOTSUPP) or from the kernel, which then takes
// the flags for opening the directory itself (EISDIR).
bool unnamedUnsupported(int error) {
  return error == EOPNOTSUPP || error == EISDIR;
}

// Whether `gid` is the private group of the user `owner` (`uid`): named like the user, no other
// member, and no other user's primary group.
bool privateGroup(uid_t uid, gid_t gid, const std::string& owner) {
  std::vector<char> buffer(65536);
  struct group entry {};
  struct group* found = nullptr;
  if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
      !ownGroupEntry(owner, found->gr_name, found->gr_mem)) {
    return false;
  }
  // Last, as the user database can be long or remote.
  bool alone = true;
  ::setpwent();
  while (const struct passwd* user = ::getpwent()) {
    if (user->pw_gid == gid && user->pw_uid != uid) alone = false;
  }
  ::endpwent();
  return alone;
}

// The name createReadOnly's named temporary file starts with; mkstemp adds six letters or digits.
std::string temporaryStem(const std::filesystem::path& target) {
  return "." + target.filename().string() + ".";
}

// Makes the new directory entry itself durable; some file systems cannot sync a directory,
// and by now the file is complete under its name, so a failure here is not worth undoing.
void syncDirectory(const std::filesystem::path& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool ownGroupEntry(std::string_view owner, const char* name, const char* const* members) {
  if (owner != name) return false;
  for (; *members != nullptr; ++members) {
    if (owner != *members) return false;
  }
  return true;
}

Result<std::string> RealFileSystem::readAll(const std::filesystem::path& path) {
  int fd;
  do {
    // Non-blocking, so that a named pipe nobody writes to cannot hang the window; a regular
    // file reads the same either way, and anything else is refused below.
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return osError(errno);
  Descriptor file(fd);

  struct stat info {};
  if (::fstat(fd, &info) != 0) return osError(errno);
  if (S_ISDIR(info.st_mode)) return osError(EISDIR);
  if (!S_ISREG(info.st_mode)) return Error(std::errc::not_supported, "Not a regular file");
  if (static_cast<std::uintmax_t>(info.st_size) > kLargestFile) return osError(EFBIG);

  const auto expected = static_cast<std::size_t>(info.st_size);
  std::string bytes;
  // One byte of slack lets a file that grew since fstat show up as a longer read.
  bytes.resize(expected + 1);
  std::size_t total = 0;
  for (;;) {
    if (total == bytes.size()) {
      if (total > kLargestFile) return osError(EFBIG);
      bytes.resize(std::min(bytes.size() * 2, kLargestFile + 1));
    }
    const ssize_t got = ::read(fd, bytes.data() + total, bytes.size() - total);
    if (got < 0) {
      if (errno == EINTR) continue;
      return osError(errno);
    }
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  // Trying again may well succeed, once whatever writes the file is done.
  if (total != expected) {
    return Error(std::errc::resource_unavailable_try_again, "The file changed while it was read");
  }
  bytes.resize(total);
  return bytes;
}

bool RealFileSystem::exists(const std::filesystem::path& path) {
  // lstat: a dangling symbolic link still occupies the name, and linking onto it would fail.
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

long RealFileSystem::writeChunk(int fd, const char* data, unsigned long size) {
  return static_cast<long>(::write(fd, data, size));
}

int RealFileSystem::openUnnamed(const std::filesystem::path& dir) {
  return ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, S_IRUSR | S_IWUSR);
}

int RealFileSystem::linkAt(int fromDir, const char* from, const char* to, int flags) {
  return ::linkat(fromDir, from, AT_FDCWD, to, flags);
}

int RealFileSystem::linkUnnamed(int fd, const std::filesystem::path& target) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (linkAt(AT_FDCWD, self.c_str(), target.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  if (errno != ENOENT) return errno;
  // No /proc: the descriptor itself, where the kernel allows it to this user.
  if (linkAt(fd, "", target.c_str(), AT_EMPTY_PATH) == 0) return 0;
  return errno;
}

Result<void> RealFileSystem::createReadOnly(const std::filesystem::path& target,
                                            std::string_view bytes) {
  std::filesystem::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  // 0 once every byte is written, else the reason.
  const auto writeAll = [&](int fd) {
    std::size_t written = 0;
    while (written < bytes.size()) {
      const long n = writeChunk(fd, bytes.data() + written, bytes.size() - written);
      if (n < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      // A write that accepts nothing would loop for ever; the usual cause is a full device.
      if (n == 0) return ENOSPC;
      written += static_cast<std::size_t>(n);
    }
    return 0;
  };
  // Fills a newly opened file, flushes it to disk and makes it read-only: 0, else the reason.
  const auto fillAndSeal = [&](int fd) {
    reached(CreateStep::Opened);
    if (const int error = writeAll(fd)) return error;
    reached(CreateStep::Written);
    if (::fsync(fd) != 0) return errno;
    reached(CreateStep::Synced);
    if (::fchmod(fd, S_IRUSR) != 0) return errno;
    reached(CreateStep::Sealed);
    return 0;
  };

  // A file without a name cannot be left behind: whatever ends the program before the link,
  // the kernel frees it with the last descriptor.
  if (const int unnamed = openUnnamed(dir); unnamed >= 0) {
    Descriptor file(unnamed);
    if (const int error = fillAndSeal(unnamed)) return osError(error);
    if (const int error = linkUnnamed(unnamed, target)) return osError(error);
    reached(CreateStep::Named);
    syncDirectory(dir);
    return {};
  } else if (!unnamedUnsupported(errno)) {
    return osError(errno);
  }

  // File systems without unnamed files (some network and FUSE ones, kernels before 3.11) get
  // a hidden named file instead. Should the program die between its creation and its
  // removal, that file stays behind; the unnamed file above exists to close this gap.
  // Hidden and beside the target: same file system for the link, and out of a listing's way.
  const std::string pattern = (dir / (temporaryStem(target) + "XXXXXX")).string();
  std::vector<char> tempName(pattern.begin(), pattern.end());
  tempName.push_back('\0');

  const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
  if (fd < 0) return osError(errno);
  Descriptor file(fd);
  const char* temp = tempName.data();
  auto fail = [&](int error) {
    if (file.get() >= 0) file.close();
    ::unlink(temp);
    return Result<void>(osError(error));
  };
  if (const int error = fillAndSeal(fd)) return fail(error);
  if (file.close() != 0) return fail(errno);

  if (linkAt(AT_FDCWD, temp, target.c_str(), 0) == 0) {
    reached(CreateStep::Named);
    ::unlink(temp);
    syncDirectory(dir);
    return {};
  }
  const int linkError = errno;
  if (!linkUnsupported(linkError)) return fail(linkError);
  const int renameError = renameNoReplace(temp, target.c_str());
  if (renameError == 0) {
    reached(CreateStep::Named);
    syncDirectory(dir);
    return {};
  }
  // When the fallback does not exist either, the link's reason is the one that explains.
  return fail(renameError == ENOSYS || renameError == EINVAL ? linkError : renameError);
}

void RealFileSystem::removeLeftovers(const std::filesystem::path& target) {
  std::filesystem::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  const std::string stem = temporaryStem(target);
  // mkstemp's letters are ASCII ones whatever the locale says a letter is.
  const auto drawn = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  };
  const auto isTemporary = [&](std::string_view name) {
    return name.size() == stem.size() + 6 && name.starts_with(stem) &&
           std::all_of(name.begin() + stem.size(), name.end(), drawn);
  };
  // Every look and removal goes through the one opened folder, and none follows a link.
  DIR* listing = ::opendir(dir.c_str());
  if (listing == nullptr) return;
  const int folder = ::dirfd(listing);
  while (const dirent* entry = ::readdir(listing)) {
    struct stat info {};
    if (isTemporary(entry->d_name) &&
        ::fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(info.st_mode) && info.st_uid == ::geteuid()) {
      ::unlinkat(folder, entry->d_name, 0);
    }
  }
  ::closedir(listing);
}

Result<Ownership> RealFileSystem::ownership(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return osError(errno);
  Ownership result;
  result.mode = info.st_mode & 07777;
  result.foreignOwner = info.st_uid != ::geteuid();
  result.owner = std::to_string(info.st_uid);
  std::vector<char> buffer(16384);
  struct passwd entry {};
  struct passwd* found = nullptr;
  if (::getpwuid_r(info.st_uid, &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr) {
    result.owner = found->pw_name;
    result.ownersGroup = privateGroup(info.st_uid, info.st_gid, result.owner);
  }
  return result;
}

std::filesystem::path programDirectory() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error);
  return exe.parent_path();
}

}  // namespace quorvel
