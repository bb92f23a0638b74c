// The real file system and random source, for what only they can get wrong.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <set>

#include "platform/posix/RealFileSystem.h"
#include "platform/posix/SystemRandom.h"
#include "support/MemoryFiles.h"
#include "wordlist/PrivateList.h"

namespace quorvel::testing {
namespace {

namespace fs = std::filesystem;

// Writes `chunk` bytes a call at most, interrupted every third call, `room` bytes in all; fails
// unnamed files with errno `unnamed`, links but by descriptor with `link`; stops at `stop`.
class ScriptedFiles : public RealFileSystem {
 public:
  std::size_t chunk = 1 << 30, room = 1 << 30, calls = 0;
  int unnamed = 0, link = 0;
  std::optional<CreateStep> stop;

 protected:
  long writeChunk(int fd, const char* data, unsigned long size) override {
    if (++calls % 3 == 0) return errno = EINTR, -1;
    if (room == 0) return errno = ENOSPC, -1;
    const long n = RealFileSystem::writeChunk(fd, data, std::min({size, chunk, room}));
    room -= static_cast<std::size_t>(std::max(n, 0L));
    return n;
  }
  int openUnnamed(const fs::path& dir) override {
    return unnamed ? (errno = unnamed, -1) : RealFileSystem::openUnnamed(dir);
  }
  int linkAt(int at, const char* from, const char* to, int flags) override {
    return link && *from ? (errno = link, -1) : RealFileSystem::linkAt(at, from, to, flags);
  }
  void reached(CreateStep step) override { (void)(step == stop && ::kill(::getpid(), SIGKILL)); }
};

struct PosixTest : ::testing::Test {
  fs::path dir = makeScratchDir("quorvel");
  std::string target = dir / "PriEnglish.txt";
  ScriptedFiles files;
  // Each way of making a file: unnamed, without /proc, named, named without hard links.
  static constexpr std::pair<int, int> kWays[] = {
      {0, 0},          {0, ENOENT},         {EOPNOTSUPP, 0},
      {EISDIR, EPERM}, {EOPNOTSUPP, EXDEV}, {EOPNOTSUPP, EMLINK}};
  // Open descriptors; with 0 closed, as when started without input, a file may get it.
  const long fds = (::close(0), std::distance(fs::directory_iterator("/proc/self/fd"), {}));
  // Nothing can be made in the working folder: a file made anywhere but beside its target fails.
  const int away = ::chdir("/proc");

  void TearDown() override { ::chmod(dir.c_str(), 0700), fs::remove_all(dir); }
  fs::path write(std::string n, std::string_view b) { return writeBytes(dir / n, b), dir / n; }
  // The finished file if it is the only entry (a leftover would be another) and nothing leaked.
  std::string left() {
    const auto entries = std::distance(fs::directory_iterator(dir), fs::directory_iterator());
    if (std::distance(fs::directory_iterator("/proc/self/fd"), {}) != fds) return "a descriptor";
    if (entries == 0) return "nothing";
    return entries == 1 && fs::exists(target) ? readBytes(target) : "other files";
  }
};

TEST_F(PosixTest, ReadsAWholeRegularFileOrSaysWhyNot) {
  std::string big("a\r\n\0\xE9\r", 7);
  for (int k = 0; k < 20000; ++k) big += "w" + std::to_string(k) + "\r\n";
  fs::create_directory(dir / "folder");
  ::mkfifo((dir / "pipe").c_str(), 0600);  // nobody writes to it: a read would wait for ever
  fs::create_symlink("gone", dir / "dangling");
  fs::resize_file(write("largest", ""), kLargestFile);  // sparse: nothing is written
  fs::resize_file(write("huge", ""), kLargestFile + 1);
  const std::pair<fs::path, std::string> rows[] = {
      {write("big", big), big},
      {write("empty", ""), ""},
      {dir / "missing", "No such file or directory"},
      {dir / "folder", "Is a directory"},
      {dir / "pipe", "Not a regular file"},
      {dir / "huge", "File too large"},
      {"/proc/self/status", "The file changed while it was read"}};  // grows as it is read
  for (const auto& [path, read] : rows) {
    const Result<std::string> got = files.readAll(path);
    EXPECT_EQ(got ? *got : got.error().message, read) << path;
  }
  EXPECT_EQ(files.readAll(dir / "largest")->size(), kLargestFile);
  EXPECT_TRUE(files.exists(dir / "dangling") && !files.exists(dir / "missing"));
  EXPECT_TRUE(files.exists(programDirectory() / fs::path(program_invocation_name).filename()));
}

TEST_F(PosixTest, CreatesAFileOnlyItsOwnerCanReadOrLeavesNothingEvenWhenKilled) {
  const std::string bytes("zoo\r\n\xE9\0x\r\n", 10);
  for (const auto& way : kWays) {
    std::tie(files.unnamed, files.link) = way;
    // Chunk, room, umask, what is written, and the failure; a failure leaves nothing.
    const std::tuple<std::size_t, std::size_t, mode_t, std::string, std::string> rows[] = {
        {3, 8, 022, bytes, "No space left on device"},
        {7, 0, 022, bytes, "No space left on device"},
        {7, 1 << 30, 022, bytes, ""},  // a few bytes a call, interrupted now and then
        {1 << 30, 1 << 30, 077, "", ""},
        {1 << 30, 1 << 30, 022, bytes, ""}};
    for (const auto& [chunk, room, mask, made, error] : rows) {
      std::tie(files.chunk, files.room) = std::tie(chunk, room);
      const mode_t before = ::umask(mask);
      const Result<void> result = files.createReadOnly(target, made);
      ::umask(before);
      EXPECT_EQ(result ? "" : result.error().message, error) << way.first << way.second << chunk;
      EXPECT_EQ(left(), error.empty() ? made : "nothing");
      EXPECT_TRUE(!error.empty() ||
                  (fileMode(target) == 0400u && !files.ownership(target)->foreignOwner));
      fs::remove(target);
    }
    write("PriEnglish.txt", "theirs");
    EXPECT_EQ(files.createReadOnly(target, bytes).error().message, "File exists");
    EXPECT_EQ(left(), "theirs");
    fs::remove(target);
    // Killed at any step, it leaves nothing or the finished file once leftovers are removed.
    for (const CreateStep step : {CreateStep::Opened, CreateStep::Written, CreateStep::Synced,
                                  CreateStep::Sealed, CreateStep::Named}) {
      const pid_t child = ::fork();
      if (child == 0) ::_exit((files.stop = step, files.createReadOnly(target, bytes)) ? 0 : 1);
      int status = 0;
      ASSERT_TRUE(::waitpid(child, &status, 0) == child && WIFSIGNALED(status)) << int(step);
      if (files.unnamed) files.removeLeftovers(target);  // at Named, a linked file has two names
      EXPECT_EQ(left(), step == CreateStep::Named ? bytes : "nothing") << way.first << int(step);
      fs::remove(target);
    }
  }
  const std::pair<int, int> refusals[] = {{EACCES, 0}, {0, EACCES}, {EOPNOTSUPP, EACCES}};
  for (const auto& way : refusals) {  // a refusal that is no lack of support is not worked around
    std::tie(files.unnamed, files.link) = way;
    EXPECT_EQ(files.createReadOnly(target, "").error().message, "Permission denied");
  }
}

TEST_F(PosixTest, RemovesTheUsersLeftoversOfItsTargetAndNothingElse) {
  // A name, what it is (a file, a symbolic link, another user's file), and whether it goes.
  const std::tuple<std::string, char, bool> rows[] = {
      {".t.aZ09xy", 'f', true},  {".t.aZ09xy", 'l', false}, {".t.aZ09xy", 'o', false},
      {".u.aZ09xy", 'f', false}, {".t.aZ09x", 'f', false},  {".t.aZ09xyz", 'f', false},
      {".t.aZ_9xy", 'f', false}, {"xt.aZ09xy", 'f', false}, {".tXaZ09xy", 'f', false}};
  write("t", "list");  // what the link leads to: the user's, as a leftover is
  for (const auto& [name, kind, goes] : rows) {
    if (kind == 'o' && ::geteuid() != 0) continue;  // only root can give a file away
    kind == 'l' ? fs::create_symlink("t", dir / name) : (void)write(name, "key");
    if (kind == 'o') (void)!::chown((dir / name).c_str(), 65534, -1);
    files.removeLeftovers(dir / "t");
    EXPECT_NE(fs::exists(fs::symlink_status(dir / name)), goes) << name << kind;
    fs::remove(dir / name);
  }
}

// What the check of a private list is told about an entry: its mode and owner, links followed.
TEST_F(PosixTest, OwnershipIsTheModeAndOwnerOfWhatAPathLeadsTo) {
  const fs::path file = write("PriEnglish.txt", "x");
  ::chmod(file.c_str(), 0620);
  ::chmod(dir.c_str(), 01777);
  fs::create_symlink(file, dir / "link");
  const std::string me = files.ownership(file)->owner;
  const std::pair<fs::path, std::string> rows[] = {{file, "0620 " + me},
                                                   {dir / "link", "0620 " + me},
                                                   {dir, "1777 " + me},
                                                   {dir / "missing", "No such file or directory"}};
  for (const auto& [path, seen] : rows) {
    const Result<Ownership> got = files.ownership(path);
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o ", got ? got->mode : 0);
    EXPECT_EQ(got ? mode + got->owner : got.error().message, seen);
  }
  // A group entry, its name first, and whether it names no user but the owner.
  const std::pair<std::vector<const char*>, bool> entries[] = {
      {{"me", nullptr}, true},         {{"me", "me", nullptr}, true},
      {{"my", nullptr}, false},        {{"me", "me", "you", nullptr}, false},
      {{"me", "you", nullptr}, false}, {{"me", "you", "me", nullptr}, false}};
  for (const auto& [entry, mine] : entries)
    EXPECT_EQ(ownGroupEntry("me", entry[0], &entry[1]), mine) << entry[0] << entry.size();
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user or group";
  EXPECT_TRUE(files.ownership(file)->ownersGroup);  // root's group holds root alone
  ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
  EXPECT_TRUE(files.ownership(file)->foreignOwner);
  EXPECT_EQ(files.ownership(file)->owner, "nobody");
  ASSERT_EQ(::chown(file.c_str(), 0, 100), 0);  // "users", a group of its own name
  EXPECT_FALSE(files.ownership(file)->ownersGroup);
}

TEST_F(PosixTest, TheSystemDrawsUniformNumbersBelowOne) {
  SystemRandom random;
  std::set<double> drawn;  // over several blocks: never a value twice, the median near 1/2
  for (int k = 0; k < 5000; ++k) drawn.insert(random.next().value());
  EXPECT_TRUE(drawn.size() == 5000 && std::abs(*std::next(drawn.begin(), 2500) - 0.5) < 0.03);
  EXPECT_NE(makeRandomOrder(2048, random).value(), makeRandomOrder(2048, random).value());
}

}  // namespace
}  // namespace quorvel::testing
