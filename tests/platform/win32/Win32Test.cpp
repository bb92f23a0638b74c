// The Windows file system and random source, on real files (under Wine in CI): what this
// layer can break, each promise in one table.
#include <windows.h>
// windows.h first: these need its types.
#include <aclapi.h>
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "platform/win32/Win32Access.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Random.h"
#include "support/Files.h"

namespace quorvel::testing {
namespace {

namespace fs = std::filesystem;
using Code = std::error_code;
const auto win32 = [](DWORD code) { return Code(static_cast<int>(code), std::system_category()); };

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
    if (step == stop) ::SetEvent(stopped), ::Sleep(INFINITE);
  }
};

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
    if (names.size() != 1) return names.empty() ? "nothing" : "other files";
    if (Win32FileSystem::isTemporaryName(names[0], target.filename())) return "a leftover";
    return names[0] == target.filename() ? readBytes(target) : "other files";
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
}

// The parent starts this executable again with QUORVEL_STOP="<step> <event handle> <target>";
// the child makes the file, tells the event at that step and waits there to be killed.
TEST_F(Win32Test, AKillAtAnyStepLeavesNothingOrTheFinishedFile) {
  const std::string bytes(50000, 'w');
  const std::pair<CreateStep, std::string> rows[] = {
      {CreateStep::Opened, "nothing"},  {CreateStep::Written, "nothing"},
      {CreateStep::Synced, "nothing"},  {CreateStep::Sealed, "nothing"},
      {CreateStep::Kept, "a leftover"},  // which the next creation removes
      {CreateStep::Named, bytes}};
  const std::wstring exe = (programDirectory() / "quorvel_win32_tests.exe").wstring();
  for (const auto& [step, after] : rows) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE stopped = ::CreateEventW(&inherited, TRUE, FALSE, nullptr);
    const std::wstring stop = std::to_wstring(static_cast<int>(step)) + L" " +
                              std::to_wstring(reinterpret_cast<std::uintptr_t>(stopped)) + L" " +
                              target.wstring();
    ::SetEnvironmentVariableW(L"QUORVEL_STOP", stop.c_str());
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(::CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                 &start, &child));
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

TEST_F(Win32Test, CreatesAFileOnlyItsOwnerCanReadOrLeavesNothing) {
  const std::string bytes("zoo\r\n\xE9\0x\r\n", 10);
  // Chunk, room, what is written, and the failure; a failure leaves nothing.
  const std::tuple<std::size_t, std::size_t, std::string, Code> rows[] = {
      {3, 8, bytes, win32(ERROR_DISK_FULL)},
      {3, 1 << 30, bytes, {}},  // a few bytes a call
      {1 << 30, 1 << 30, "", {}},
      {1 << 30, 1 << 30, bytes, {}}};
  for (const auto& [chunk, room, made, code] : rows) {
    std::tie(files.chunk, files.room) = std::tie(chunk, room);
    const Result<void> result = files.createReadOnly(target, made);
    EXPECT_EQ(result ? Code() : result.error().code, code) << chunk << " " << room;
    EXPECT_EQ(left(), code ? "nothing" : made);
    if (code) continue;
    const DWORD shown = ::GetFileAttributesW(target.c_str()) & 3;  // read-only (1), hidden (2)
    const Ownership mine = files.ownership(target).value();        // others may not write
    EXPECT_TRUE(shown == 1 && !mine.foreignOwner && !(mine.mode & 022)) << shown << mine.mode;
    removeFile(target);
  }
  write("PriEnglish.txt", "theirs");
  EXPECT_EQ(files.createReadOnly(target, bytes).error().code, win32(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(left(), "theirs");
}

TEST_F(Win32Test, APrivateFileHasAnOwnerOnlyAccessList) {
  ASSERT_TRUE(files.createReadOnly(target, "zoo\r\n"));
  // Wine keeps a file's security descriptor only as Unix permission bits, and answers with one
  // made up from them: SYSTEM, the owner and Everyone, never protected.
  if (::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
    GTEST_SKIP() << "Wine keeps no access list for a file";
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_EQ(::GetNamedSecurityInfoW(target.c_str(), SE_FILE_OBJECT,
                                    OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                                    nullptr, &dacl, nullptr, &descriptor),
            DWORD{ERROR_SUCCESS});
  const auto control = static_cast<SECURITY_DESCRIPTOR_RELATIVE*>(descriptor)->Control;
  ACCESS_ALLOWED_ACE* ace = nullptr;
  CurrentUser user;
  EXPECT_TRUE((control & SE_DACL_PROTECTED) && dacl->AceCount == 1 &&
              ::EqualSid(owner, user.sid()));
  ASSERT_TRUE(::GetAce(dacl, 0, reinterpret_cast<void**>(&ace)));
  EXPECT_TRUE(ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && ::EqualSid(&ace->SidStart, owner));
  EXPECT_EQ(ace->Mask, DWORD{FILE_GENERIC_READ | FILE_WRITE_ATTRIBUTES | DELETE});
  ::LocalFree(descriptor);
}

std::vector<unsigned char> wellKnown(WELL_KNOWN_SID_TYPE kind) {
  std::vector<unsigned char> sid(SECURITY_MAX_SID_SIZE);
  DWORD size = SECURITY_MAX_SID_SIZE;
  ::CreateWellKnownSid(kind, nullptr, sid.data(), &size);
  return sid;
}

// Access lists as Windows keeps them, read back as the permission bits the load check reads:
// others are Everyone, Authenticated Users and Users; the owner is one of them too. The rows:
// folder, read-only, the entries, the bits.
TEST(Win32Access, AccessListsReadAsPermissionBits) {
  CurrentUser user;
  const auto* self = static_cast<unsigned char*>(user.sid());
  std::vector<unsigned char> sids[] = {{self, self + ::GetLengthSid(user.sid())},
                                       wellKnown(WinWorldSid),
                                       wellKnown(WinAuthenticatedUserSid),
                                       wellKnown(WinBuiltinUsersSid)};
  // Allows (0), denies (1) or allows for the entries inside only (2); whom; which rights.
  using Ace = std::tuple<int, int, DWORD>;
  const DWORD kAnyWrite = FILE_GENERIC_WRITE | WRITE_DAC | WRITE_OWNER;
  const std::tuple<bool, bool, std::vector<Ace>, unsigned> rows[] = {
      {false, true, {{0, 0, FILE_GENERIC_READ | FILE_WRITE_ATTRIBUTES | DELETE}}, 0400},
      {false, false, {{0, 0, FILE_ALL_ACCESS}, {0, 1, GENERIC_READ}}, 0704},
      {false, false, {{0, 3, FILE_GENERIC_WRITE}}, 0202},
      {false, true, {{0, 2, FILE_WRITE_DATA}}, 0},  // held by the read-only attribute
      {false, true, {{0, 2, FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES}}, 0202},
      {false, false, {{0, 1, WRITE_DAC}}, 0202},
      {false, false, {{1, 1, kAnyWrite}, {0, 1, GENERIC_ALL}}, 0505},
      {false, false, {{2, 1, GENERIC_ALL}}, 0},
      {true, false, {{0, 0, FILE_ALL_ACCESS}, {0, 3, FILE_ADD_FILE}}, 01702},  // sticky
      {true, false, {{0, 3, FILE_ADD_FILE | FILE_DELETE_CHILD}}, 0202}};
  for (const auto& [folder, readOnly, aces, mode] : rows) {
    std::vector<unsigned char> buffer(1024);
    auto* acl = reinterpret_cast<PACL>(buffer.data());
    ASSERT_TRUE(::InitializeAcl(acl, 1024, ACL_REVISION));
    for (const auto& [type, who, rights] : aces) {
      const DWORD inside = type == 2 ? INHERIT_ONLY_ACE | OBJECT_INHERIT_ACE : 0;
      const auto add = type == 1 ? ::AddAccessDeniedAceEx : ::AddAccessAllowedAceEx;
      ASSERT_TRUE(add(acl, ACL_REVISION, inside, rights, sids[who].data()));
    }
    const Ownership got = describeAccess(user.sid(), acl, true, folder, readOnly, user);
    EXPECT_EQ(got.mode, mode) << std::oct << mode;
  }
  // No list at all lets anyone do anything; the group bits stay clear on Windows.
  EXPECT_EQ(describeAccess(user.sid(), nullptr, false, false, false, user).mode, 0707u);
  auto system = wellKnown(WinLocalSystemSid);
  const Ownership theirs = describeAccess(system.data(), nullptr, false, false, false, user);
  EXPECT_TRUE(theirs.foreignOwner && theirs.owner == "SYSTEM") << theirs.owner;
}

TEST(Win32Random, DrawsUniformNumbersBelowOne) {
  Win32Random random;
  std::set<double> drawn;  // over several blocks: never a value twice, the median near 1/2
  for (int k = 0; k < 5000; ++k) drawn.insert(random.next().value());
  EXPECT_TRUE(drawn.size() == 5000 && std::abs(*std::next(drawn.begin(), 2500) - 0.5) < 0.03);
}

}  // namespace
}  // namespace quorvel::testing

int main(int argc, char** argv) {
  wchar_t stop[32768];
  if (::GetEnvironmentVariableW(L"QUORVEL_STOP", stop, 32768) != 0) {
    quorvel::testing::ScriptedFiles files;
    wchar_t* rest = nullptr;
    files.stop = static_cast<quorvel::CreateStep>(std::wcstol(stop, &rest, 10));
    files.stopped = reinterpret_cast<HANDLE>(std::wcstoull(rest, &rest, 10));
    return files.createReadOnly(rest + 1, std::string(50000, 'w')) ? 0 : 1;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
