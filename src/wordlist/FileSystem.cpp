#include "wordlist/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <vector>

namespace quorvel {

namespace {

std::string errorText(int error) {
  return std::strerror(error);
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

// Makes the new directory entry itself durable; some file systems cannot sync a directory,
// and by now the file is complete under its name, so a failure here is not worth undoing.
void syncDirectory(const std::filesystem::path& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

ReadResult RealFileSystem::readAll(const std::filesystem::path& path) {
  ReadResult result;
  int fd;
  do {
    // Non-blocking, so that a named pipe nobody writes to cannot hang the window; a regular
    // file reads the same either way, and anything else is refused below.
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    const int error = errno;
    result.notFound = error == ENOENT || error == ENOTDIR;
    result.error = errorText(error);
    return result;
  }
  Descriptor file(fd);

  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    result.error = errorText(errno);
    return result;
  }
  if (S_ISDIR(info.st_mode)) {
    result.error = errorText(EISDIR);
    return result;
  }
  if (!S_ISREG(info.st_mode)) {
    result.error = "Not a regular file";
    return result;
  }

  const auto expected = static_cast<std::size_t>(info.st_size);
  std::string bytes;
  // One byte of slack lets a file that grew since fstat show up as a longer read.
  bytes.resize(expected + 1);
  std::size_t total = 0;
  for (;;) {
    if (total == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t got = ::read(fd, bytes.data() + total, bytes.size() - total);
    if (got < 0) {
      if (errno == EINTR) continue;
      result.error = errorText(errno);
      return result;
    }
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  if (total != expected) {
    result.error = "The file changed while it was read";
    return result;
  }
  bytes.resize(total);
  result.ok = true;
  result.bytes = std::move(bytes);
  return result;
}

bool RealFileSystem::exists(const std::filesystem::path& path) {
  // lstat: a dangling symbolic link still occupies the name, and linking onto it would fail.
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

long RealFileSystem::writeChunk(int fd, const char* data, unsigned long size) {
  return static_cast<long>(::write(fd, data, size));
}

std::string RealFileSystem::createReadOnly(const std::filesystem::path& target,
                                           std::string_view bytes) {
  std::filesystem::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  // Hidden and beside the target: same file system for the link, and out of a listing's way.
  const std::string pattern = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> tempName(pattern.begin(), pattern.end());
  tempName.push_back('\0');

  const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
  if (fd < 0) return errorText(errno);
  Descriptor file(fd);
  const char* temp = tempName.data();
  auto fail = [&](int error) {
    if (file.get() >= 0) file.close();
    ::unlink(temp);
    return errorText(error);
  };

  std::size_t written = 0;
  while (written < bytes.size()) {
    const long n = writeChunk(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    // A write that accepts nothing would loop for ever; the usual cause is a full device.
    if (n == 0) return fail(ENOSPC);
    written += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) return fail(errno);
  if (::fchmod(fd, S_IRUSR | S_IRGRP | S_IROTH) != 0) return fail(errno);
  if (file.close() != 0) return fail(errno);

  if (::link(temp, target.c_str()) == 0) {
    ::unlink(temp);
    syncDirectory(dir);
    return {};
  }
  const int linkError = errno;
  if (!linkUnsupported(linkError)) return fail(linkError);
  const int renameError = renameNoReplace(temp, target.c_str());
  if (renameError == 0) {
    syncDirectory(dir);
    return {};
  }
  // When the fallback does not exist either, the link's reason is the one that explains.
  return fail(renameError == ENOSYS || renameError == EINVAL ? linkError : renameError);
}

std::filesystem::path programDirectory() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error);
  return exe.parent_path();
}

}  // namespace quorvel
