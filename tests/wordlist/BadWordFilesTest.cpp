// Word files that users bring from anywhere, loaded through the window from the real file
// system: every one either loads with the entries the reading rules give, or ends the program
// with the message, never a shortened or garbled list shown as whole.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/fanotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/Form1.h"
#include "app/Form1Fixture.h"
#include "app/MemoryFileSystem.h"
#include "platform/FakePlatform.h"
#include "platform/posix/RealFileSystem.h"
#include "support/Files.h"
#include "wordlist/WordFile.h"

namespace quorvel::testing {
namespace {

namespace fs = std::filesystem;

using Entries = std::vector<std::string>;

// A literal with its NUL bytes.
template <std::size_t N>
std::string raw(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

std::string contents(const fs::path& path) {
  return readBytes(path);
}

// The message is the user's only clue, so it is compared whole rather than through the
// function that builds it.
std::string endingMessage(const fs::path& path) {
  return "Can Not Find File " + path.string() + " It's Missing Or Corrupted           Now Ending";
}

// Reads fail for chosen paths with a chosen reason; every other read is the real one.
class FailingReads : public RealFileSystem {
 public:
  std::map<std::string, std::string> failures;
  Result<std::string> readAll(const fs::path& path) override {
    if (const auto failure = failures.find(path.string()); failure != failures.end()) {
      return Error(std::errc::io_error, failure->second);
    }
    return RealFileSystem::readAll(path);
  }
};

// Cuts a file short at its first read, after the reader has taken its size: the kernel holds
// that read until this listener answers, so the file shrinks at exactly that moment. Needs
// the right to watch file access (root), else it stays unarmed.
class ShrinkOnFirstRead {
 public:
  ShrinkOnFirstRead(const fs::path& file, off_t keep) : keep_(keep) {
    writer_ = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    fan_ = ::fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC, O_RDONLY | O_LARGEFILE);
    if (writer_ < 0 || fan_ < 0 ||
        ::fanotify_mark(fan_, FAN_MARK_ADD, FAN_ACCESS_PERM, AT_FDCWD, file.c_str()) != 0) {
      return;
    }
    armed_ = true;
    listener_ = std::thread([this] { listen(); });
  }
  ShrinkOnFirstRead(const ShrinkOnFirstRead&) = delete;
  ShrinkOnFirstRead& operator=(const ShrinkOnFirstRead&) = delete;
  ~ShrinkOnFirstRead() {
    stop_ = true;
    if (listener_.joinable()) listener_.join();
    // Closing the group lets any read still held go on.
    if (fan_ >= 0) ::close(fan_);
    if (writer_ >= 0) ::close(writer_);
  }
  bool armed() const { return armed_; }
  bool fired() const { return fired_; }

 private:
  void listen() {
    while (!stop_) {
      pollfd ready{fan_, POLLIN, 0};
      if (::poll(&ready, 1, 20) <= 0) continue;
      alignas(fanotify_event_metadata) char buffer[4096];
      ssize_t length = ::read(fan_, buffer, sizeof buffer);
      for (auto* event = reinterpret_cast<fanotify_event_metadata*>(buffer);
           FAN_EVENT_OK(event, length); event = FAN_EVENT_NEXT(event, length)) {
        if (!fired_ && ::ftruncate(writer_, keep_) == 0) fired_ = true;
        const fanotify_response answer{event->fd, FAN_ALLOW};
        (void)!::write(fan_, &answer, sizeof answer);
        if (event->fd >= 0) ::close(event->fd);
      }
    }
  }

  off_t keep_;
  int writer_ = -1;
  int fan_ = -1;
  bool armed_ = false;
  std::atomic<bool> fired_{false};
  std::atomic<bool> stop_{false};
  std::thread listener_;
};

class BadWordFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = makeScratchDir("quorvel-bad");
    ASSERT_FALSE(root_.empty());
    english_ = shippedFile("PubEnglish.txt");
    ASSERT_EQ(std::count(english_.begin(), english_.end(), '\n'), 2048);
    fresh();
  }
  void TearDown() override {
    form_.reset();
    // Some tests take permissions away; give them back so the tree can go.
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(root_, ignored)) {
      ::chmod(entry.path().c_str(), entry.is_directory() ? 0700 : 0600);
    }
    fs::remove_all(root_, ignored);
  }

  // A new program directory holding the shipped English list, and a window not yet started.
  void fresh() {
    std::string pattern = (root_ / "run-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    write("PubEnglish.txt", english_);
    form_.reset();
    ui_ = FakePlatform();
  }

  fs::path write(const std::string& name, const std::string& bytes) {
    writeBytes(dir_ / name, bytes);
    return dir_ / name;
  }

  void start(FileSystem& files) {
    form_ = std::make_unique<Form1>(ui_, files, random_, dir_);
    ui_.attach(*form_);
    ASSERT_TRUE(ui_.load());
  }
  void start() { start(files_); }

  Entries& master() { return ui_.state(Control::WordList).items; }
  Entries& candidates() { return ui_.state(Control::List1).items; }

  // Loads `bytes` once as the list shown at start-up and once by a language choice, and
  // checks that both show `expected`, silently, with the program running.
  void expectLoads(const std::string& bytes, const Entries& expected) {
    {
      SCOPED_TRACE("at start-up");
      fresh();
      write("PubEnglish.txt", bytes);
      start();
      EXPECT_TRUE(ui_.messages.empty());
      EXPECT_FALSE(ui_.ended);
      EXPECT_EQ(master(), expected);
      EXPECT_EQ(form_->Counter, static_cast<std::int64_t>(expected.size()) - 1);
    }
    {
      SCOPED_TRACE("by a language choice");
      fresh();
      write("PubCzech.txt", bytes);
      start();
      ASSERT_EQ(master().size(), 2049u);
      EXPECT_TRUE(ui_.chooseMenu(MenuItem::Cz));
      EXPECT_TRUE(ui_.messages.empty());
      EXPECT_FALSE(ui_.ended);
      EXPECT_EQ(ui_.text(Control::Label1), "PubCzech");
      EXPECT_EQ(master(), expected);
    }
  }

  // The window has shown the one message about `path` and ended with a failure status.
  void expectEnded(const fs::path& path) {
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].title, "Error");
    EXPECT_EQ(ui_.messages[0].text, endingMessage(path));
    EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(ui_.messages[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(ui_.ended);
    EXPECT_EQ(ui_.exitStatus, 1);
    EXPECT_FALSE(ui_.chooseMenu(MenuItem::En));  // no handler runs after the end
  }

  fs::path root_, dir_;
  std::string english_;
  RealFileSystem files_;
  SeededRandom random_{1};
  FakePlatform ui_;
  std::unique_ptr<Form1> form_;
};

TEST_F(BadWordFiles, EmptyAndBlankFilesLoadAsTheEmptyItemsTheyHold) {
  expectLoads("", {" "});
  ui_.clickOn(Control::WordNum);
  ui_.typeText("0");
  EXPECT_TRUE(candidates().empty());

  // Every line end closes an item, blanks or not; blanks after the last line end are none.
  const Entries blanks{" ", "0001 ", "0002 ", "0003 ", "0004 "};
  expectLoads("\r\n\n  \r\n\t\r\n \t ", blanks);
  ui_.typeText("a");
  EXPECT_TRUE(candidates().empty());
  ui_.typeKey(8);
  ui_.clickOn(Control::WordNum);
  ui_.typeText("000");
  EXPECT_EQ(candidates(), Entries(blanks.begin() + 1, blanks.end()));
}

TEST_F(BadWordFiles, NulBytesStayInTheirWordAndNeverMatchARejectedKey) {
  expectLoads(raw("abandon\r\nab\0le\r\n\0lead\r\nabout\r\n"),
              {" ", "0001 abandon", raw("0002 ab\0le"), raw("0003 \0lead"), "0004 about"});
  ui_.typeText("ab");
  EXPECT_EQ(candidates(), (Entries{"0001 abandon", raw("0002 ab\0le"), "0004 about"}));
  // A rejected key makes a prefix that ends in the character of code 0: "ab" and that
  // character are exactly how the NUL word begins.
  for (const int rejected : {int{' '}, int{'!'}, 0, 0xD7}) {
    ui_.typeKey(rejected);
    EXPECT_TRUE(candidates().empty()) << "key " << rejected;
    EXPECT_EQ(ui_.text(Control::Text1), "ab");
  }
  ui_.typeText("o");
  EXPECT_EQ(candidates(), Entries{"0004 about"});
  ui_.typeKey(8);
  ui_.typeKey('*');  // on an empty box: the prefix is that character alone
  EXPECT_TRUE(candidates().empty());
}

TEST_F(BadWordFiles, InvalidUtf8IsShownAsWindows1252) {
  // 0xE9 alone is no UTF-8; in Windows-1252 it is e acute, and 0x80 the euro sign.
  expectLoads("caf\xE9\r\nabandon\r\n\x80uro\r\n",
              {" ", "0001 caf\xC3\xA9", "0002 abandon", "0003 \xE2\x82\xACuro"});
  ui_.typeText("caf");
  EXPECT_EQ(candidates(), Entries{"0001 caf\xC3\xA9"});
}

TEST_F(BadWordFiles, AHugeLineAndUnclosedQuotesEndWhereTheLineEnds) {
  const std::string huge(1 << 20, 'x');
  expectLoads("abandon\r\n" + huge, {" ", "0001 abandon", "0002 " + huge});
  ui_.typeText("xx");
  ASSERT_EQ(candidates().size(), 1u);
  EXPECT_EQ(candidates()[0].size(), huge.size() + 5);

  expectLoads("\"open, still\r\nnext\r\n  \"tail, end",
              {" ", "0001 open, still", "0002 next", "0003 tail, end"});
  ui_.typeText("ne");
  EXPECT_EQ(candidates(), Entries{"0002 next"});
}

// Writes the reader cannot repeat exactly would make a private copy of an odd file decode to
// other numbers than its public source.
TEST_F(BadWordFiles, APrivateListOfAnOddFileRepeatsEveryItemsBytes) {
  const std::string bytes = raw("caf\xE9\r\nab\0le\r\n\r\n\"x, y\",\" pad \"\r\nlast");
  write("PubCzech.txt", bytes);
  start();
  ui_.chooseMenu(MenuItem::Cz);
  ui_.chooseMenu(MenuItem::Lpw);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].title, "Query");
  const std::string made = contents(dir_ / "PriCzech.txt");
  const auto itemBytes = [](const std::string& file) {
    std::vector<std::string> out;
    for (const auto& item : readWordItems(file)) out.emplace_back(item.bytes);
    std::sort(out.begin(), out.end());
    return out;
  };
  EXPECT_EQ(itemBytes(made), itemBytes(bytes));
  EXPECT_EQ(std::count(made.begin(), made.end(), '\n'), 6);
  EXPECT_EQ(ui_.text(Control::Label1), "PriCzech");
  EXPECT_EQ(master().size(), 7u);
  // Still not UTF-8, so still shown the same way.
  EXPECT_EQ(std::count_if(
                master().begin(), master().end(),
                [](const std::string& e) { return e.size() > 5 && e.substr(5) == "caf\xC3\xA9"; }),
            1);
}

// Eight letters spelling k in base 26, so every word differs and can be typed.
std::string letters(std::int64_t k) {
  std::string word(8, 'a');
  for (int i = 7; i >= 0 && k > 0; --i, k /= 26) word[static_cast<std::size_t>(i)] += k % 26;
  return word;
}

long peakResidentKilobytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST_F(BadWordFiles, TenMegabytesOfWordsLoadWhole) {
  constexpr std::int64_t kWords = 1000000;
  std::string bytes;
  bytes.reserve(kWords * 10);
  for (std::int64_t k = 0; k < kWords; ++k) bytes += letters(k) + "\r\n";
  ASSERT_EQ(bytes.size(), 10000000u);
  write("PubEnglish.txt", bytes);
  bytes = std::string();

  const long peakBefore = peakResidentKilobytes();
  const auto began = std::chrono::steady_clock::now();
  start();
  const auto took = std::chrono::steady_clock::now() - began;
  const long growth = peakResidentKilobytes() - peakBefore;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(took).count();
  std::cout << "[ measured ] 10 MB, 1,000,000 words: load " << ms << " ms, peak RSS growth "
            << growth / 1024 << " MB\n";
  RecordProperty("load_ms", static_cast<int>(ms));
  RecordProperty("peak_rss_growth_kb", static_cast<int>(growth));

  EXPECT_TRUE(ui_.messages.empty());
  ASSERT_EQ(master().size(), 1000001u);
  EXPECT_EQ(master()[1], "0001 aaaaaaaa");
  EXPECT_EQ(master()[9999], "9999 " + letters(9998));
  EXPECT_EQ(master()[10000], "10000 " + letters(9999));
  EXPECT_EQ(master()[1000000], "1000000 " + letters(999999));
  EXPECT_EQ(form_->Counter, 1000000);
  // Words 2029 to 2704 begin so; a lookup examines no entry past 2049 however long the list.
  ui_.typeText("aaaaad");
  ASSERT_EQ(candidates().size(), 21u);
  EXPECT_EQ(candidates().front(), "2029 " + letters(2028));
  EXPECT_EQ(candidates().back(), "2049 " + letters(2048));
  // Two copies of a million short entries (the window's and the list's) with the items and
  // the file on the way: a few hundred megabytes at most. A copy per entry more, or the file
  // read again and again, would pass this; only a runaway would not.
  EXPECT_LT(growth, 1024L * 1024) << "kilobytes";
}

TEST_F(BadWordFiles, UnreadableFilesEndTheProgramWithTheMessage) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> arrange;
  };
  const Case cases[] = {
      {"a directory", [](const fs::path& p) { fs::create_directory(p); }},
      {"a dangling link", [](const fs::path& p) { fs::create_symlink(p.string() + ".gone", p); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fresh();
    fs::remove(dir_ / "PubEnglish.txt");
    c.arrange(dir_ / "PubEnglish.txt");
    start();
    EXPECT_EQ(ui_.text(Control::Label1), "PubEnglish");
    expectEnded(dir_ / "PubEnglish.txt");

    fresh();
    c.arrange(dir_ / "PubSpanish.txt");
    start();
    ui_.chooseMenu(MenuItem::Spa);
    EXPECT_EQ(ui_.text(Control::Label1), "PubSpanish");  // already shown behind the message
    expectEnded(dir_ / "PubSpanish.txt");

    fresh();  // at the private name: taken as existing, so no question, and never replaced
    c.arrange(dir_ / "PriEnglish.txt");
    start();
    ui_.chooseMenu(MenuItem::Lpw);
    expectEnded(dir_ / "PriEnglish.txt");
  }
}

// A pipe nobody writes to, named like a word file. The child is killed by an alarm if the
// load never returns, so a hang shows as a failure here instead of stopping the suite.
TEST_F(BadWordFiles, APipeEndsTheProgramInsteadOfWaitingForAWriter) {
  const fs::path pipe = dir_ / "PubSpanish.txt";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  start();
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(2);
    ui_.chooseMenu(MenuItem::Spa);
    const bool ended = ui_.ended && ui_.exitStatus == 1 && ui_.messages.size() == 1 &&
                       ui_.messages[0].text == endingMessage(pipe);
    ::_exit(ended ? 0 : 1);
  }
  ASSERT_GT(child, 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_FALSE(WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
      << "choosing a list whose file is a pipe still waits for a writer";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Runs `check` where permissions bind: in this process for a normal user, in a child that has
// given up root otherwise. Returns what `check` returned.
bool withoutPrivileges(const std::function<bool()>& check) {
  if (::geteuid() != 0) return check();
  const pid_t child = ::fork();
  if (child == 0) {
    const uid_t nobody = 65534;
    const bool dropped = ::setgroups(0, nullptr) == 0 && ::setresgid(nobody, nobody, nobody) == 0 &&
                         ::setresuid(nobody, nobody, nobody) == 0;
    ::_exit(dropped && check() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

TEST_F(BadWordFiles, AFileWithoutReadPermissionEndsTheProgram) {
  // The program directory stays searchable, so it is the file's own mode that refuses.
  ASSERT_EQ(::chmod(root_.c_str(), 0711), 0);
  ASSERT_EQ(::chmod(dir_.c_str(), 0711), 0);
  const fs::path locked = write("PubItalian.txt", "abaco\r\n");
  ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
  start();
  ASSERT_EQ(master().size(), 2049u);
  const bool ended = withoutPrivileges([&] {
    ui_.chooseMenu(MenuItem::It);
    return ui_.messages.size() == 1 && ui_.messages[0].text == endingMessage(locked) && ui_.ended &&
           ui_.exitStatus == 1;
  });
  EXPECT_TRUE(ended) << "as an unprivileged user, choosing Italian did not end the program "
                        "with the message about "
                     << locked;

  // The same refusal told by the file system, wherever the test runs.
  fresh();
  FailingReads failing;
  failing.failures[(dir_ / "PubItalian.txt").string()] = "Permission denied";
  failing.failures[(dir_ / "PubFrench.txt").string()] = "Input/output error";
  write("PubItalian.txt", "abaco\r\n");
  start(failing);
  ui_.chooseMenu(MenuItem::It);
  expectEnded(dir_ / "PubItalian.txt");
  fresh();
  failing.failures[(dir_ / "PubEnglish.txt").string()] = "Permission denied";
  start(failing);
  expectEnded(dir_ / "PubEnglish.txt");
}

TEST_F(BadWordFiles, AFileThatShrinksWhileItIsReadEndsTheProgram) {
  // Really shrinking under the reader, where the test may watch file access.
  {
    std::string big;
    for (int k = 0; k < 20000; ++k) big += letters(k) + "\r\n";
    const fs::path shrinking = write("PubFrench.txt", big);
    start();
    ShrinkOnFirstRead shrink(shrinking, 1000);
    if (shrink.armed()) {
      ui_.chooseMenu(MenuItem::Fr);
      EXPECT_TRUE(shrink.fired());
      EXPECT_EQ(fs::file_size(shrinking), 1000u);
      expectEnded(shrinking);
    } else {
      std::cout << "[ skipped  ] shrinking under the reader needs the right to watch reads\n";
    }
  }
  // A kernel attribute file claims a page and holds a few bytes: to a reader, a file that
  // lost most of its bytes between taking its size and reading it.
  const fs::path attribute = "/sys/devices/system/cpu/online";
  struct stat info {};
  if (::stat(attribute.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
      static_cast<std::size_t>(info.st_size) > contents(attribute).size()) {
    fresh();
    fs::create_symlink(attribute, dir_ / "PubPortuguese.txt");
    start();
    ui_.chooseMenu(MenuItem::Po);
    expectEnded(dir_ / "PubPortuguese.txt");
    fresh();
    fs::remove(dir_ / "PubEnglish.txt");
    fs::create_symlink(attribute, dir_ / "PubEnglish.txt");
    start();
    expectEnded(dir_ / "PubEnglish.txt");
  } else {
    std::cout << "[ skipped  ] no kernel attribute file to stand in for a shrinking file\n";
  }
  // And as the file system reports it.
  fresh();
  FailingReads failing;
  failing.failures[(dir_ / "PubFrench.txt").string()] = "The file changed while it was read";
  write("PubFrench.txt", "un\r\n");
  start(failing);
  ui_.chooseMenu(MenuItem::Fr);
  expectEnded(dir_ / "PubFrench.txt");
}

}  // namespace
}  // namespace quorvel::testing
