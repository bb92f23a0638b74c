// The Windows file system and random source, on real files (under Wine in CI): what this
// layer can break, each promise in one table.
#include <windows.h>
// windows.h first: these need its types.
#include <aclapi.h>
#include <gtest/gtest.h>
#include <sddl.h>

#include <optional>
#include <set>

#include "platform/win32/Win32Access.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Random.h"
#include "support/Files.h"
#include "wordlist/PrivateList.h"

namespace quorvel::testing {
namespace {

namespace fs = std::filesystem;
using Code = std::error_code;
Code win32(DWORD code) {
  return {static_cast<int>(code), std::system_category()};
}

// Writes `chunk` bytes a call at most, `room` bytes in all; at `stop` tells the event and
// waits to be killed.
class ScriptedFiles : public Win32FileSystem {
 public:
  std::size_t chunk = 1 << 30, room = 1 << 30;
  std::optional<CreateStep> stop;
  HANDLE stopped = nullptr;

 protected:
  long writeChunk(void* file, const char* data, unsigned long size) override {
    if (room == 0) return ::SetLastError(ERROR_DISK_FULL), -1;
    const long n =
        Win32FileSystem::writeChunk(file, data, std::min<std::size_t>({size, chunk, room}));
    room -= static_cast<std::size_t>(std::max(n, 0L));
    return n;
  }
  void reached(CreateStep step) override {
    if (step != stop) return;
    ::SetEvent(stopped);
    ::Sleep(INFINITE);
  }
};

// Wine answers for access lists with ones it makes up from Unix permission bits.
bool underWine() {
  return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Removes a file, read-only or not.
void removeFile(const fs::path& path) {
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(path.c_str());
}

struct Win32Test : ::testing::Test {
  fs::path dir = makeScratchDir("quorvel") / fs::path(u8"Пример 例");
  fs::path target = dir / "PriEnglish.txt";
  ScriptedFiles files;

  void SetUp() override { ASSERT_TRUE(fs::create_directory(dir)); }
  void TearDown() override {
    for (const auto& entry : fs::directory_iterator(dir)) removeFile(entry.path());
    fs::remove_all(dir.parent_path());
  }
  fs::path write(const fs::path& name, const std::string& bytes) {
    writeBytes(dir / name, bytes);
    return dir / name;
  }
  // The finished file, if it is the only entry: a temporary file left behind would be another.
  std::string left() {
    std::vector<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
    if (names.empty()) return "nothing";
    if (names.size() > 1) return "other files";
    if (Win32FileSystem::isTemporaryName(names[0], target.filename())) return "a leftover";
    return fs::exists(target) ? readBytes(target) : "other files";
  }
};

TEST_F(Win32Test, ReadsAWholeRegularFileOrSaysWhyNot) {
  std::string big("a\r\n\0\xE9\r", 7);
  for (int k = 0; k < 20000; ++k) big += "w" + std::to_string(k) + "\r\n";
  fs::create_directory(dir / "folder");
  fs::resize_file(write("largest", ""), kLargestFile);
  fs::resize_file(write("huge", ""), kLargestFile + 1);
  const std::tuple<fs::path, std::string, Code> rows[] = {
      {write(u8"Слово例.txt", big), big, {}},
      {write("empty", ""), "", {}},
      {dir / "missing", "", win32(ERROR_FILE_NOT_FOUND)},
      {dir / "gone" / "missing", "", win32(ERROR_PATH_NOT_FOUND)},
      {dir / "folder", "", make_error_code(std::errc::is_a_directory)},
      {"NUL", "", make_error_code(std::errc::not_supported)},  // a device: no word list
      {dir / "huge", "", make_error_code(std::errc::file_too_large)}};
  for (const auto& [path, bytes, code] : rows) {
    const Result<std::string> got = files.readAll(path);
    EXPECT_EQ(got ? Code() : got.error().code, code) << path;
    EXPECT_EQ(got ? *got : "", bytes) << path;
    const bool missing = code == win32(ERROR_FILE_NOT_FOUND) || code == win32(ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(files.exists(path), !missing) << path;
  }
  EXPECT_EQ(files.readAll(dir / "largest")->size(), kLargestFile);
  EXPECT_TRUE(fs::exists(programDirectory() / "quorvel_win32_tests.exe"));
}

// The parent starts this executable again with QUORVEL_STOP="<step> <event handle>" and the
// target in QUORVEL_TARGET; the child makes the file, tells the event at that step and waits
// there until the parent kills it.
TEST_F(Win32Test, AKillAtAnyStepLeavesNothingOrTheFinishedFile) {
  const std::string bytes(50000, 'w');
  const std::pair<CreateStep, std::string> rows[] = {
      {CreateStep::Opened, "nothing"},  {CreateStep::Written, "nothing"},
      {CreateStep::Synced, "nothing"},  {CreateStep::Sealed, "nothing"},
      {CreateStep::Kept, "a leftover"},  // which the next creation removes
      {CreateStep::Named, bytes}};
  wchar_t exe[MAX_PATH];
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  for (const auto& [step, after] : rows) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE stopped = ::CreateEventW(&inherited, TRUE, FALSE, nullptr);
    const auto value = reinterpret_cast<std::uintptr_t>(stopped);
    ::SetEnvironmentVariableW(
        L"QUORVEL_STOP",
        (std::to_wstring(static_cast<int>(step)) + L" " + std::to_wstring(value)).c_str());
    ::SetEnvironmentVariableW(L"QUORVEL_TARGET", target.c_str());
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION child{};
    std::wstring line = L"\"" + std::wstring(exe) + L"\"";
    ASSERT_TRUE(::CreateProcessW(exe, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                 &start, &child));
    ::SetEnvironmentVariableW(L"QUORVEL_STOP", nullptr);
    const HANDLE waits[] = {stopped, child.hProcess};
    EXPECT_EQ(::WaitForMultipleObjects(2, waits, FALSE, 60000), WAIT_OBJECT_0)
        << "never reached step " << static_cast<int>(step);
    ::TerminateProcess(child.hProcess, 9);
    ::WaitForSingleObject(child.hProcess, 60000);
    for (const HANDLE handle : {stopped, child.hProcess, child.hThread}) ::CloseHandle(handle);
    EXPECT_EQ(left(), after) << static_cast<int>(step);
    if (after == "a leftover") {
      EXPECT_TRUE(files.createReadOnly(target, bytes));
      EXPECT_EQ(left(), bytes);
    }
    removeFile(target);
  }
}

// An access list as "protected" or "inherits", then type:mask:who for each entry, the owner
// named as such.
std::string accessList(const fs::path& path) {
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                              nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
    return "unreadable";
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ::GetSecurityDescriptorControl(descriptor, &control, &revision);
  std::string shown = control & SE_DACL_PROTECTED ? "protected" : "inherits";
  for (DWORD k = 0; dacl != nullptr && k < dacl->AceCount; ++k) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    ::GetAce(dacl, k, reinterpret_cast<void**>(&ace));
    wchar_t* sid = nullptr;
    ::ConvertSidToStringSidW(&ace->SidStart, &sid);
    const bool owns = ::EqualSid(&ace->SidStart, owner);
    shown += " " + std::to_string(ace->Header.AceType) + ":" + std::to_string(ace->Mask) + ":" +
             (owns ? "owner" : fs::path(sid).string());
    ::LocalFree(sid);
  }
  ::LocalFree(descriptor);
  return shown;
}

TEST_F(Win32Test, CreatesAFileOnlyItsOwnerCanReadOrLeavesNothing) {
  const std::string bytes("zoo\r\n\xE9\0x\r\n", 10);
  // Chunk, room, what is written, and the failure; a failure leaves nothing.
  const std::tuple<std::size_t, std::size_t, std::string, Code> rows[] = {
      {3, 8, bytes, win32(ERROR_DISK_FULL)},
      {7, 0, bytes, win32(ERROR_DISK_FULL)},
      {3, 1 << 30, bytes, {}},  // a few bytes a call
      {1 << 30, 1 << 30, "", {}},
      {1 << 30, 1 << 30, bytes, {}}};
  for (const auto& [chunk, room, made, code] : rows) {
    std::tie(files.chunk, files.room) = std::tie(chunk, room);
    const Result<void> result = files.createReadOnly(target, made);
    EXPECT_EQ(result ? Code() : result.error().code, code) << chunk << " " << room;
    EXPECT_EQ(left(), code ? "nothing" : made);
    if (code) continue;
    const DWORD shown = ::GetFileAttributesW(target.c_str());
    EXPECT_EQ(shown & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_FALSE(files.ownership(target)->foreignOwner);
    removeFile(target);
  }
  write("PriEnglish.txt", "theirs");
  EXPECT_EQ(files.createReadOnly(target, bytes).error().code, win32(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(left(), "theirs");
}

TEST_F(Win32Test, APrivateFileHasAnOwnerOnlyAccessList) {
  ASSERT_TRUE(files.createReadOnly(target, "zoo\r\n"));
  const std::string shown = accessList(target);
  // Wine keeps a file's security descriptor only as Unix permission bits and gives back one
  // made up from them (SYSTEM, the owner, Everyone; never protected).
  if (underWine()) GTEST_SKIP() << "Wine keeps no access list: it answers " << shown;
  EXPECT_EQ(shown,
            "protected 0:" + std::to_string(FILE_GENERIC_READ | FILE_WRITE_ATTRIBUTES | DELETE) +
                ":owner");
}

// Access lists as Windows keeps them, read back as the permission bits the load check reads:
// others are Everyone, Authenticated Users and Users; the owner is one of them too.
TEST(Win32Access, AccessListsReadAsPermissionBits) {
  CurrentUser user;
  std::vector<unsigned char> sids[4];  // the user, Everyone, Authenticated Users, Users
  for (const auto kind : {WinWorldSid, WinAuthenticatedUserSid, WinBuiltinUsersSid}) {
    auto& sid = sids[kind == WinWorldSid ? 1 : kind == WinAuthenticatedUserSid ? 2 : 3];
    sid.resize(SECURITY_MAX_SID_SIZE);
    DWORD size = SECURITY_MAX_SID_SIZE;
    ASSERT_TRUE(::CreateWellKnownSid(kind, nullptr, sid.data(), &size));
  }
  const auto* self = static_cast<unsigned char*>(user.sid());
  sids[0].assign(self, self + ::GetLengthSid(user.sid()));
  struct Ace {
    BYTE type;  // 0 allows, 1 denies, 2 allows for the entries inside only
    int who;
    DWORD mask;
  };
  const DWORD kOwnerOnly = FILE_GENERIC_READ | FILE_WRITE_ATTRIBUTES | DELETE;
  const std::tuple<bool, bool, std::vector<Ace>, unsigned> rows[] = {
      // folder, read-only, the entries, the bits
      {false, true, {{0, 0, kOwnerOnly}}, 0400},
      {false, false, {{0, 0, FILE_ALL_ACCESS}, {0, 1, GENERIC_READ}}, 0704},
      {false, false, {{0, 3, FILE_GENERIC_WRITE}}, 0202},
      {false, true, {{0, 2, FILE_WRITE_DATA}}, 0},  // held by the read-only attribute
      {false, true, {{0, 2, FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES}}, 0202},
      {false, false, {{0, 1, WRITE_DAC}}, 0202},
      {false,
       false,
       {{1, 1, FILE_GENERIC_WRITE | WRITE_DAC | WRITE_OWNER}, {0, 1, GENERIC_ALL}},
       0505},
      {false, false, {{2, 1, GENERIC_ALL}}, 0},
      {true, false, {{0, 0, FILE_ALL_ACCESS}, {0, 3, FILE_ADD_FILE}}, 01702},  // sticky
      {true, false, {{0, 3, FILE_ADD_FILE | FILE_DELETE_CHILD}}, 0202}};
  for (const auto& [folder, readOnly, aces, mode] : rows) {
    std::vector<unsigned char> buffer(1024);
    auto* acl = reinterpret_cast<PACL>(buffer.data());
    ASSERT_TRUE(::InitializeAcl(acl, 1024, ACL_REVISION));
    for (const Ace& ace : aces) {
      PSID sid = sids[ace.who].data();
      ASSERT_TRUE(ace.type == 1 ? ::AddAccessDeniedAce(acl, ACL_REVISION, ace.mask, sid)
                                : ::AddAccessAllowedAceEx(
                                      acl, ACL_REVISION,
                                      ace.type == 2 ? INHERIT_ONLY_ACE | OBJECT_INHERIT_ACE : 0,
                                      ace.mask, sid));
    }
    const Ownership got = describeAccess(user.sid(), acl, true, folder, readOnly, user);
    EXPECT_EQ(got.mode, mode) << std::oct << mode;
    EXPECT_FALSE(got.foreignOwner);
  }
  // No list at all lets anyone do anything; the group bits stay clear on Windows.
  EXPECT_EQ(describeAccess(user.sid(), nullptr, false, false, false, user).mode, 0707u);
  std::vector<unsigned char> system(SECURITY_MAX_SID_SIZE);
  DWORD size = SECURITY_MAX_SID_SIZE;
  ASSERT_TRUE(::CreateWellKnownSid(WinLocalSystemSid, nullptr, system.data(), &size));
  const Ownership theirs = describeAccess(system.data(), nullptr, false, false, false, user);
  EXPECT_TRUE(theirs.foreignOwner && theirs.owner == "SYSTEM") << theirs.owner;
}

TEST(Win32Random, DrawsUniformNumbersBelowOne) {
  Win32Random random;
  std::set<double> drawn;  // over several blocks: never a value twice, the median near 1/2
  for (int k = 0; k < 5000; ++k) drawn.insert(random.next().value());
  EXPECT_TRUE(drawn.size() == 5000 && std::abs(*std::next(drawn.begin(), 2500) - 0.5) < 0.03);
  EXPECT_NE(makeRandomOrder(2048, random).value(), makeRandomOrder(2048, random).value());
}

}  // namespace
}  // namespace quorvel::testing

int main(int argc, char** argv) {
  wchar_t stop[64], target[32768];
  if (::GetEnvironmentVariableW(L"QUORVEL_STOP", stop, 64) != 0 &&
      ::GetEnvironmentVariableW(L"QUORVEL_TARGET", target, 32768) != 0) {
    quorvel::testing::ScriptedFiles files;
    wchar_t* rest = nullptr;
    files.stop = static_cast<quorvel::CreateStep>(std::wcstol(stop, &rest, 10));
    files.stopped = reinterpret_cast<HANDLE>(std::wcstoull(rest, nullptr, 10));
    return files.createReadOnly(target, std::string(50000, 'w')) ? 0 : 1;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
