#include "platform/win32/Win32FileSystem.h"

#include <windows.h>
// windows.h first: aclapi.h needs its types.
#include <aclapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <vector>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Access.h"

namespace quorvel {

namespace {

Error lastError() {
  return win32Error(::GetLastError());
}

// Closes a handle once, whichever way the function that owns it is left.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { close(); }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  void close() {
    if (valid()) ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

// Marks an open file for deletion when its last handle closes, or takes the mark away. Needs
// the handle's DELETE access; a read-only file refuses the mark.
bool markForDeletion(HANDLE file, bool remove) {
  FILE_DISPOSITION_INFO info{};
  info.DeleteFile = remove ? TRUE : FALSE;
  return ::SetFileInformationByHandle(file, FileDispositionInfo, &info, sizeof info);
}

// Times of zero leave the file's times as they are.
bool setAttributes(HANDLE file, DWORD attributes) {
  FILE_BASIC_INFO info{};
  info.FileAttributes = attributes;
  return ::SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info);
}

// The NT form of a path (\??\C:\..., \??\UNC\server\...), which a rename by handle takes
// unchanged on Windows and Wine alike; a plain name there would be taken relative to the
// folder by one and to the current folder by the other.
std::wstring ntPath(const std::filesystem::path& path) {
  std::error_code error;
  const std::wstring full = std::filesystem::absolute(path, error).wstring();
  if (full.starts_with(L"\\\\?\\")) return L"\\??\\" + full.substr(4);
  if (full.starts_with(L"\\\\")) return L"\\??\\UNC\\" + full.substr(2);
  return L"\\??\\" + full;
}

// Renames an open file, failing when the name is taken; a handle's rename needs no second
// opening, which the file's sharing would refuse.
bool renameNoReplace(HANDLE file, const std::filesystem::path& target) {
  const std::wstring name = ntPath(target);
  const DWORD bytes = static_cast<DWORD>(name.size() * sizeof(wchar_t));
  std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + bytes);
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = FALSE;
  info->RootDirectory = nullptr;
  info->FileNameLength = bytes;
  std::memcpy(info->FileName, name.data(), bytes);
  return ::SetFileInformationByHandle(file, FileRenameInfo, info,
                                      static_cast<DWORD>(buffer.size()));
}

std::wstring randomPart() {
  static unsigned counter = 0;
  const std::uint64_t seed = (std::uint64_t{::GetCurrentProcessId()} << 40) ^
                             (::GetTickCount64() << 12) ^ ++counter ^
                             reinterpret_cast<std::uintptr_t>(&counter);
  wchar_t text[17];
  for (int k = 0; k < 16; ++k) text[k] = L"0123456789abcdef"[(seed >> (4 * k)) & 15];
  text[16] = L'\0';
  return text;
}

std::wstring temporaryName(const std::wstring& target) {
  return L"." + target + L"." + randomPart() + L".tmp";
}

// Removes a file of our temporary name pattern that a creation killed between Kept and Named
// left, if it belongs to the user. One still being written is held open without sharing, so
// the opening here fails and that creation goes on undisturbed.
void removeLeftover(const std::filesystem::path& path, const CurrentUser& user) {
  Handle file(::CreateFileW(path.c_str(),
                            DELETE | READ_CONTROL | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 0,
                            nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.valid()) return;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    return;
  }
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::GetSecurityInfo(file.get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return;
  }
  const bool ours = user.owns(owner);
  ::LocalFree(descriptor);
  if (ours && setAttributes(file.get(), FILE_ATTRIBUTE_NORMAL)) markForDeletion(file.get(), true);
}

void sweepLeftovers(const std::filesystem::path& dir, const std::wstring& target,
                    const CurrentUser& user) {
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = (dir / (L"." + target + L".*.tmp")).wstring();
  HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (Win32FileSystem::isTemporaryName(found.cFileName, target)) {
      removeLeftover(dir / found.cFileName, user);
    }
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

}  // namespace

void Win32FileSystem::removeLeftovers(const std::filesystem::path& target) {
  std::filesystem::path dir = target.parent_path();
  if (dir.empty()) dir = L".";
  if (const CurrentUser user; user.ok()) sweepLeftovers(dir, target.filename().wstring(), user);
}

bool Win32FileSystem::isTemporaryName(const std::wstring& name, const std::wstring& target) {
  const std::wstring head = L"." + target + L".", tail = L".tmp";
  if (name.size() != head.size() + 16 + tail.size()) return false;
  if (name.compare(0, head.size(), head) != 0) return false;
  if (name.compare(name.size() - tail.size(), tail.size(), tail) != 0) return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(head.size()),
                     name.end() - static_cast<std::ptrdiff_t>(tail.size()),
                     [](wchar_t c) { return std::iswxdigit(c) != 0; });
}

Result<std::string> Win32FileSystem::readAll(const std::filesystem::path& path) {
  // Others may go on reading, writing and renaming it: a word list is only read here.
  Handle file(::CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) {
    const DWORD error = ::GetLastError();
    // Windows refuses to open a folder as a file, with an access error that would mislead.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return Error(std::errc::is_a_directory, "Is a directory");
    }
    return win32Error(error);
  }
  // Devices (CON, NUL, COM1) and pipes are no word lists, and some would wait for ever.
  if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
    return Error(std::errc::not_supported, "Not a regular file");
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return lastError();
  if (size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > kLargestFile) {
    return Error(std::errc::file_too_large, "File too large");
  }

  const auto expected = static_cast<std::size_t>(size.QuadPart);
  std::string bytes;
  // One byte of slack lets a file that grew since its size was taken show up as a longer read.
  bytes.resize(expected + 1);
  std::size_t total = 0;
  for (;;) {
    if (total == bytes.size()) {
      if (total > kLargestFile) return Error(std::errc::file_too_large, "File too large");
      bytes.resize(std::min(bytes.size() * 2, kLargestFile + 1));
    }
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - total, 1 << 24));
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes.data() + total, want, &got, nullptr)) return lastError();
    if (got == 0) break;
    total += got;
  }
  // Trying again may well succeed, once whatever writes the file is done.
  if (total != expected) {
    return Error(std::errc::resource_unavailable_try_again, "The file changed while it was read");
  }
  bytes.resize(total);
  return bytes;
}

bool Win32FileSystem::exists(const std::filesystem::path& path) {
  // The entry itself: a link whose target is gone still occupies the name. An entry the user
  // may not look at, or one held open without sharing, is there all the same.
  if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD error = ::GetLastError();
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}

long Win32FileSystem::writeChunk(void* file, const char* data, unsigned long size) {
  DWORD written = 0;
  if (!::WriteFile(file, data, size, &written, nullptr)) return -1;
  return static_cast<long>(written);
}

Result<void> Win32FileSystem::createReadOnly(const std::filesystem::path& target,
                                             std::string_view bytes) {
  std::filesystem::path dir = target.parent_path();
  if (dir.empty()) dir = L".";
  const std::wstring name = target.filename().wstring();
  CurrentUser user;
  if (!user.ok()) return lastError();
  sweepLeftovers(dir, name, user);

  // Not shared while it is ours, so nobody else can open it before it is owner-only, and the
  // leftover sweep of another creation leaves it alone.
  std::filesystem::path temp;
  HANDLE opened = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 16 && opened == INVALID_HANDLE_VALUE; ++attempt) {
    temp = dir / temporaryName(name);
    opened =
        ::CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE | READ_CONTROL | WRITE_DAC | WRITE_OWNER,
                      0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (opened == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) {
      return lastError();
    }
  }
  Handle file(opened);
  if (!file.valid()) return lastError();
  // From here until Kept, Windows deletes the file when the process ends, however it ends.
  if (!markForDeletion(file.get(), true)) {
    const Error error = lastError();
    file.close();
    ::DeleteFileW(temp.c_str());
    return error;
  }
  reached(CreateStep::Opened);

  std::size_t written = 0;
  while (written < bytes.size()) {
    const auto chunk = static_cast<unsigned long>(
        std::min<std::size_t>(bytes.size() - written, std::size_t{1} << 24));
    const long n = writeChunk(file.get(), bytes.data() + written, chunk);
    if (n < 0) return lastError();
    // A write that accepts nothing would loop for ever; the usual cause is a full disk.
    if (n == 0) return win32Error(ERROR_DISK_FULL);
    written += static_cast<std::size_t>(n);
  }
  reached(CreateStep::Written);
  if (!::FlushFileBuffers(file.get())) return lastError();
  reached(CreateStep::Synced);
  // Owner-only and read-only, and no longer hidden: the finished file is meant to be seen.
  if (!makeOwnerOnly(file.get(), user)) return lastError();
  if (!setAttributes(file.get(), FILE_ATTRIBUTE_READONLY)) return lastError();
  reached(CreateStep::Sealed);
  // The mark must go before the rename: a renamed file still marked would vanish on close.
  if (!markForDeletion(file.get(), false)) return lastError();
  reached(CreateStep::Kept);
  if (!renameNoReplace(file.get(), dir / name)) {
    const Error error = lastError();
    // Should this undoing fail too, the next creation finds the leftover.
    if (setAttributes(file.get(), FILE_ATTRIBUTE_NORMAL)) markForDeletion(file.get(), true);
    return error;
  }
  reached(CreateStep::Named);
  return {};
}

Result<Ownership> Win32FileSystem::ownership(const std::filesystem::path& path) {
  // Backup semantics: the only way to open a folder; links are followed, as on Linux.
  Handle file(::CreateFileW(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return lastError();
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.get(), &info)) return lastError();
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const DWORD status = ::GetSecurityInfo(file.get(), SE_FILE_OBJECT,
                                         OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                         &owner, nullptr, &dacl, nullptr, &descriptor);
  if (status != ERROR_SUCCESS) return win32Error(status);
  const CurrentUser user;
  Ownership result = describeAccess(owner, dacl, dacl != nullptr,
                                    (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                    (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0, user);
  ::LocalFree(descriptor);
  return result;
}

std::filesystem::path programDirectory() {
  std::wstring exe(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
    if (length == 0) return std::filesystem::current_path();
    // A name that filled the buffer may have been cut short: try again with a larger one.
    if (length < exe.size()) {
      exe.resize(length);
      return std::filesystem::path(exe).parent_path();
    }
    exe.resize(exe.size() * 2);
  }
}

}  // namespace quorvel
