#include "platform/posix/RealFileSystem.h"
#include "support/Files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// The reason a creation failed, empty when it did not.
std::string reason(const Result<void>& made) {
  return made ? std::string() : made.error().message;
}

class RealFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::makeScratchDir("quorvel-fs");
    ASSERT_FALSE(dir_.empty());
  }
  void TearDown() override {
    // Tests take write access away; give it back so the tree can go.
    ::chmod(dir_.c_str(), 0700);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  fs::path write(const std::string& name, const std::string& bytes) {
    testing::writeBytes(dir_ / name, bytes);
    return dir_ / name;
  }
  static std::string contents(const fs::path& path) { return testing::readBytes(path); }
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
  static unsigned mode(const fs::path& path) { return testing::fileMode(path); }
  static bool isRoot() { return ::geteuid() == 0; }

  fs::path dir_;
  RealFileSystem files_;
};

TEST_F(RealFileSystemTest, ReadsWholeFilesByteForByte) {
  std::string bytes("abandon\r\n\0\xE9\r", 12);
  for (int k = 0; k < 20000; ++k) bytes += "w" + std::to_string(k) + "\r\n";
  const auto result = files_.readAll(write("PubEnglish.txt", bytes));
  ASSERT_TRUE(result) << result.error().message;
  EXPECT_EQ(*result, bytes);

  const auto empty = files_.readAll(write("empty.txt", ""));
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->empty());
}

TEST_F(RealFileSystemTest, TellsAMissingFileFromOneThatCannotBeRead) {
  const auto missing = files_.readAll(dir_ / "PubCzech.txt");
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().code, std::errc::no_such_file_or_directory);
  const fs::path plain = write("plain.txt", "x");
  const auto below = files_.readAll(plain / "below");
  ASSERT_FALSE(below);
  EXPECT_EQ(below.error().code, std::errc::not_a_directory);

  fs::create_directory(dir_ / "PubFrench.txt");
  const auto directory = files_.readAll(dir_ / "PubFrench.txt");
  ASSERT_FALSE(directory);
  EXPECT_EQ(directory.error().code, std::errc::is_a_directory);
  EXPECT_EQ(directory.error().message, "Is a directory");

  // The kernel fills this file as it is read while stat reports it empty: exactly the
  // mismatch of a file that grows under the reader.
  const auto changing = files_.readAll("/proc/self/status");
  ASSERT_FALSE(changing);
  EXPECT_NE(changing.error().message.find("changed"), std::string::npos)
      << changing.error().message;

  // Too large: refused before anything is read (the file is sparse: nothing is written).
  const fs::path huge = write("PubSpanish.txt", "");
  fs::resize_file(huge, kLargestFile);
  EXPECT_TRUE(files_.readAll(huge));
  fs::resize_file(huge, kLargestFile + 1);
  const auto tooLarge = files_.readAll(huge);
  ASSERT_FALSE(tooLarge);
  EXPECT_EQ(tooLarge.error().message, "File too large");
}

TEST_F(RealFileSystemTest, AFileWithoutReadPermissionIsAnError) {
  if (isRoot()) GTEST_SKIP() << "root reads files regardless of their permissions";
  const fs::path locked = write("PubItalian.txt", "abaco\r\n");
  ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
  const auto result = files_.readAll(locked);
  ASSERT_FALSE(result);
  EXPECT_EQ(result.error().code, std::errc::permission_denied);
  EXPECT_EQ(result.error().message, "Permission denied");
}

TEST_F(RealFileSystemTest, ExistsForEveryKindOfEntry) {
  EXPECT_FALSE(files_.exists(dir_ / "PriEnglish.txt"));
  const fs::path readOnly = write("PriEnglish.txt", "zoo\r\n");
  ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
  EXPECT_TRUE(files_.exists(readOnly));
  ASSERT_EQ(::chmod(readOnly.c_str(), 0), 0);
  EXPECT_TRUE(files_.exists(readOnly));
  fs::create_symlink(dir_ / "nowhere", dir_ / "PriCzech.txt");
  EXPECT_TRUE(files_.exists(dir_ / "PriCzech.txt"));
}

// Takes the way of file systems that have no unnamed files.
class NoUnnamedFiles : public RealFileSystem {
 protected:
  int openUnnamed(const fs::path&) override {
    errno = EOPNOTSUPP;
    return -1;
  }
};

TEST_F(RealFileSystemTest, CreatesAFileOnlyItsOwnerCanReadAndNothingElse) {
  NoUnnamedFiles named;
  const std::string bytes("zoo\r\n\xE9\0x\r\nabandon\r\n", 18);
  for (RealFileSystem* files : {&files_, static_cast<RealFileSystem*>(&named)}) {
    for (const mode_t mask : {022, 077}) {
      SCOPED_TRACE(::testing::Message()
                   << (files == &named ? "named" : "unnamed") << ", umask 0" << std::oct << mask);
      for (const std::string& made : {bytes, std::string()}) {
        const fs::path target = dir_ / "PriEnglish.txt";
        const mode_t before = ::umask(mask);
        EXPECT_EQ(reason(files->createReadOnly(target, made)), "");
        ::umask(before);
        EXPECT_EQ(contents(target), made);
        EXPECT_EQ(mode(target), 0400u);
        struct stat info {};
        EXPECT_TRUE(::stat(target.c_str(), &info) == 0 && info.st_uid == ::geteuid());
        EXPECT_EQ(entries(), std::vector<std::string>{"PriEnglish.txt"});
        fs::remove(target);
      }
    }
  }
}

// Reports reaching `stop` through a pipe, then waits to be killed there.
class StopsAtStep : public RealFileSystem {
 public:
  StopsAtStep(CreateStep stop, int pipe) : stop_(stop), pipe_(pipe) {}

 protected:
  void reached(CreateStep step) override {
    if (step != stop_) return;
    (void)!::write(pipe_, "!", 1);
    for (;;) ::pause();
  }

 private:
  CreateStep stop_;
  int pipe_;
};

TEST_F(RealFileSystemTest, AKillAtAnyStepLeavesNothingOrTheFinishedList) {
  const int probe = ::open(dir_.c_str(), O_TMPFILE | O_WRONLY, 0600);
  if (probe < 0) GTEST_SKIP() << "no unnamed files here: the named fallback would be tested";
  ::close(probe);
  const fs::path target = dir_ / "PriEnglish.txt";
  std::string bytes;
  for (int k = 0; k < 2048; ++k) bytes += "word" + std::to_string(k) + "\r\n";
  for (const CreateStep step : {CreateStep::Opened, CreateStep::Written, CreateStep::Synced,
                                CreateStep::Sealed, CreateStep::Named}) {
    SCOPED_TRACE(static_cast<int>(step));
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipe[0]);
      (void)StopsAtStep(step, pipe[1]).createReadOnly(target, bytes);
      ::_exit(0);
    }
    ::close(pipe[1]);
    char signal = 0;
    const bool stopped = ::read(pipe[0], &signal, 1) == 1;
    ::close(pipe[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(stopped) << "the creation never reached this step";
    if (step == CreateStep::Named) {
      EXPECT_EQ(entries(), std::vector<std::string>{"PriEnglish.txt"});
      EXPECT_EQ(contents(target), bytes);
      EXPECT_EQ(mode(target), 0400u);
      fs::remove(target);
    } else {
      EXPECT_TRUE(entries().empty());
    }
  }
}

TEST_F(RealFileSystemTest, NeverReplacesAnExistingFile) {
  const fs::path target = write("PriSpanish.txt", "old\r\n");
  EXPECT_EQ(reason(files_.createReadOnly(target, "new\r\n")), "File exists");
  EXPECT_EQ(contents(target), "old\r\n");
  EXPECT_EQ(entries(), std::vector<std::string>{"PriSpanish.txt"});
}

TEST_F(RealFileSystemTest, FailsCleanlyWhereItCannotWrite) {
  EXPECT_EQ(reason(files_.createReadOnly(dir_ / "gone" / "PriEnglish.txt", "zoo\r\n")),
            "No such file or directory");
  EXPECT_TRUE(entries().empty());

  if (isRoot()) GTEST_SKIP() << "root writes into read-only directories";
  ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
  EXPECT_EQ(reason(files_.createReadOnly(dir_ / "PriEnglish.txt", "zoo\r\n")), "Permission denied");
  ASSERT_EQ(::chmod(dir_.c_str(), 0700), 0);
  EXPECT_TRUE(entries().empty());
}

// Hands the file over a few bytes at a time, interrupted now and then, and can run out of
// space after a given amount, the way a real device fills up midway.
class ChoppyFileSystem : public RealFileSystem {
 public:
  explicit ChoppyFileSystem(unsigned long spaceLeft) : spaceLeft_(spaceLeft) {}
  unsigned long calls = 0;

 protected:
  long writeChunk(int fd, const char* data, unsigned long size) override {
    ++calls;
    if (calls % 5 == 0) {
      errno = EINTR;
      return -1;
    }
    if (spaceLeft_ == 0) {
      errno = ENOSPC;
      return -1;
    }
    const unsigned long chunk = std::min({size, spaceLeft_, 7ul});
    const long n = RealFileSystem::writeChunk(fd, data, chunk);
    if (n > 0) spaceLeft_ -= static_cast<unsigned long>(n);
    return n;
  }

 private:
  unsigned long spaceLeft_;
};

TEST_F(RealFileSystemTest, PartialAndInterruptedWritesStillGiveTheWholeFile) {
  std::string bytes;
  for (int k = 0; k < 300; ++k) bytes += "word" + std::to_string(k) + "\r\n";
  ChoppyFileSystem choppy(bytes.size());
  const fs::path target = dir_ / "PriPortuguese.txt";
  EXPECT_EQ(reason(choppy.createReadOnly(target, bytes)), "");
  EXPECT_GT(choppy.calls, bytes.size() / 7);
  EXPECT_EQ(contents(target), bytes);
  EXPECT_EQ(mode(target), 0400u);
}

TEST_F(RealFileSystemTest, AWriteFailureMidwayLeavesNoFileBehind) {
  const std::string bytes(5000, 'x');
  ChoppyFileSystem full(1234);
  EXPECT_EQ(reason(full.createReadOnly(dir_ / "PriEnglish.txt", bytes)), "No space left on device");
  EXPECT_TRUE(entries().empty());
}

}  // namespace
}  // namespace quorvel
