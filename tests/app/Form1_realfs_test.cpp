// "Load Private Words" on the real file system: a made file survives a restart, and every
// way the making can fail leaves the directory as it was, says why, and keeps the list shown.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "app/Form1Fixture.h"
#include "platform/FakePlatform.h"
#include "platform/posix/RealFileSystem.h"
#include "platform/posix/SystemRandom.h"
#include "support/Files.h"
#include "wordlist/WordFile.h"

namespace quorvel::testing {
namespace {

namespace fs = std::filesystem;

using Names = std::vector<std::string>;

// Accepts writes up to a given number of bytes, then reports a full device.
class FillingDisk : public RealFileSystem {
 public:
  explicit FillingDisk(unsigned long room) : room(room) {}
  unsigned long room;  // what the device takes in all
  unsigned long accepted = 0;
  int refusals = 0;

 protected:
  long writeChunk(int fd, const char* data, unsigned long size) override {
    if (accepted >= room) {
      ++refusals;
      errno = ENOSPC;
      return -1;
    }
    const long n = RealFileSystem::writeChunk(fd, data, std::min(size, room - accepted));
    if (n > 0) accepted += static_cast<unsigned long>(n);
    return n;
  }
};

class Form1RealFs : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = makeScratchDir("quorvel-realfs");
    ASSERT_FALSE(dir_.empty());
  }
  void TearDown() override {
    form_.reset();
    if (mounted_ && ::umount2(dir_.c_str(), 0) != 0) ::umount2(dir_.c_str(), MNT_DETACH);
    ::chmod(dir_.c_str(), 0700);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  // A small memory file system over the program directory, so that it can fill up or turn
  // read-only for real; only root may mount one.
  bool mountTmpfs(const char* size) {
    if (::geteuid() != 0) return false;
    const std::string options = std::string("size=") + size + ",mode=0700";
    if (::mount("tmpfs", dir_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
      return false;
    }
    mounted_ = true;
    return true;
  }

  fs::path write(const std::string& name, const std::string& bytes) {
    writeBytes(dir_ / name, bytes);
    return dir_ / name;
  }
  static std::string contents(const fs::path& path) { return readBytes(path); }
  static unsigned mode(const fs::path& path) { return fileMode(path); }
  // Every entry, hidden ones included: a temporary file left behind would be hidden.
  Names names() const {
    Names out;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      out.push_back(entry.path().filename().string());
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  void start(FileSystem& files, RandomSource& random) {
    form_ = std::make_unique<Form1>(ui_, files, random, dir_);
    ui_.attach(*form_);
    ASSERT_TRUE(ui_.load());
    ASSERT_FALSE(ui_.ended);
    shownBefore_ = master();
  }
  void start(FileSystem& files) { start(files, random_); }

  std::vector<std::string>& master() { return ui_.state(Control::WordList).items; }
  fs::path privateEnglish() const { return dir_ / "PriEnglish.txt"; }

  // The source lists the tests make beside the program: English to make the private list
  // from, Czech to show that the program still takes a language choice afterwards.
  void writeLists(const std::string& english) {
    write("PubEnglish.txt", english);
    write("PubCzech.txt", kCzech);
  }

  // The creation was asked for, failed for `reason`, and left the window and `expected`
  // (the directory's entries) as they were.
  void expectFailedCreation(const std::string& reason, const Names& expected) {
    ASSERT_EQ(ui_.messages.size(), 2u);
    EXPECT_EQ(ui_.messages[0].title, "Query");
    const auto& error = ui_.messages[1];
    EXPECT_EQ(error.title, "Error");
    EXPECT_EQ(error.icon, MessageIcon::Critical);
    EXPECT_EQ(error.buttons, MessageButtons::Ok);
    EXPECT_NE(error.text.find(privateEnglish().string()), std::string::npos) << error.text;
    EXPECT_NE(error.text.find(reason), std::string::npos) << error.text;
    EXPECT_EQ(names(), expected);
    EXPECT_EQ(ui_.text(Control::Label1), "PubEnglish");
    EXPECT_EQ(form_->FilePath, (dir_ / "PubEnglish.txt").string());
    EXPECT_EQ(master(), shownBefore_);
    EXPECT_FALSE(ui_.state(Control::Label3).visible);
    EXPECT_FALSE(ui_.ended);
    EXPECT_TRUE(ui_.chooseMenu(MenuItem::Cz));
    EXPECT_EQ(ui_.text(Control::Label1), "PubCzech");
    EXPECT_EQ(master(), (std::vector<std::string>{" ", "0001 chleba", "0002 mleko"}));
    EXPECT_EQ(ui_.messages.size(), 2u);
  }

  static constexpr const char* kCzech = "chleba\r\nmleko\r\n";
  const Names kSources{"PubCzech.txt", "PubEnglish.txt"};
  fs::path dir_;
  bool mounted_ = false;
  RealFileSystem files_;
  SeededRandom random_{20261206};
  FakePlatform ui_;
  std::unique_ptr<Form1> form_;
  std::vector<std::string> shownBefore_;
};

TEST_F(Form1RealFs, MadeFileIsCompleteReadOnlyAndSurvivesARestart) {
  const std::string english = shippedFile("PubEnglish.txt");
  writeLists(english);
  SystemRandom secure;
  start(files_, secure);
  ui_.chooseMenu(MenuItem::Lpw);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].title, "Query");

  EXPECT_EQ(names(), (Names{"PriEnglish.txt", "PubCzech.txt", "PubEnglish.txt"}));
  EXPECT_EQ(mode(privateEnglish()) & 0222, 0u);
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(privateEnglish())));
  const std::string made = contents(privateEnglish());
  ASSERT_GE(made.size(), 2u);
  EXPECT_EQ(made.substr(made.size() - 2), "\r\n");
  EXPECT_EQ(std::count(made.begin(), made.end(), '\n'), 2048);
  EXPECT_EQ(std::count(made.begin(), made.end(), '\r'), 2048);
  std::vector<std::string> lines, words;
  for (const auto& item : readWordItems(made)) lines.emplace_back(item.bytes);
  for (const auto& item : readWordItems(english)) words.emplace_back(item.bytes);
  ASSERT_EQ(lines.size(), 2048u);
  EXPECT_NE(lines, words);
  auto sortedLines = lines;
  std::sort(sortedLines.begin(), sortedLines.end());
  std::sort(words.begin(), words.end());
  EXPECT_EQ(sortedLines, words);  // the shipped words are distinct, so: each exactly once

  EXPECT_EQ(ui_.text(Control::Label1), "PriEnglish");
  ASSERT_EQ(master().size(), 2049u);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    ASSERT_EQ(master()[k + 1], listEntry(static_cast<std::int64_t>(k) + 1, lines[k])) << k;
  }
  const auto madeOrder = master();
  ui_.chooseMenu(MenuItem::Lpw);  // again in the same run: loaded, not made
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(master(), madeOrder);

  // A restart: the same directory, a new window and file system.
  form_.reset();
  ui_ = FakePlatform();
  RealFileSystem again;
  start(again, secure);
  EXPECT_EQ(ui_.text(Control::Label1), "PubEnglish");
  ui_.chooseMenu(MenuItem::Lpw);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(ui_.text(Control::Label1), "PriEnglish");
  EXPECT_EQ(master(), madeOrder);
  EXPECT_EQ(contents(privateEnglish()), made);
  EXPECT_EQ(names(), (Names{"PriEnglish.txt", "PubCzech.txt", "PubEnglish.txt"}));
}

// Lists of every size that matters: none, one, two, the usual 2048, and past 16-bit counts.
TEST_F(Form1RealFs, EverySizeGivesAReadOnlyPermutationThatIsLoaded) {
  for (const int n : {0, 1, 2, 2048, 32766}) {
    SCOPED_TRACE(n);
    std::vector<std::string> words;
    // Different lengths and a non-ASCII byte, so a shifted or mixed-up line would show.
    for (int i = 1; i <= n; ++i) words.push_back("w" + std::to_string(i) + (i % 7 ? "" : "\xE9"));
    std::string source;
    for (const auto& w : words) source += w + "\r\n";
    fs::remove(privateEnglish());
    writeLists(source);
    form_.reset();
    ui_ = FakePlatform();
    start(files_);
    ui_.chooseMenu(MenuItem::Lpw);
    ASSERT_TRUE(fs::exists(privateEnglish()));
    EXPECT_EQ(mode(privateEnglish()) & 0222, 0u);
    const std::string made = contents(privateEnglish());
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end = made.find("\r\n"); end != std::string::npos;
         from = end + 2, end = made.find("\r\n", from)) {
      lines.push_back(made.substr(from, end - from));
    }
    EXPECT_EQ(from, made.size());  // nothing after the last CR LF
    auto sorted = lines;
    std::sort(sorted.begin(), sorted.end());
    std::sort(words.begin(), words.end());
    EXPECT_EQ(sorted, words);
    EXPECT_EQ(ui_.text(Control::Label1), "PriEnglish");
    ASSERT_EQ(master().size(), lines.size() + 1);
    if (n > 0) {
      EXPECT_EQ(master()[1], "0001 " + std::string(readWordItems(made)[0].text));
      EXPECT_EQ(master().back(), listEntry(n, readWordItems(made).back().text));
    }
    fs::permissions(privateEnglish(), fs::perms::owner_write, fs::perm_options::add);
  }
}

TEST_F(Form1RealFs, ADirectoryThatTakesNoNewFilesLeavesEverythingAsItWas) {
  if (::geteuid() == 0) {
    // Root writes into any directory whatever its mode; only a read-only mount stops it.
    if (!mountTmpfs("1m")) GTEST_SKIP() << "cannot mount a tmpfs here";
    writeLists(shippedFile("PubEnglish.txt"));
    ASSERT_EQ(::mount(nullptr, dir_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                      nullptr),
              0);
    start(files_);
    ui_.chooseMenu(MenuItem::Lpw);
    expectFailedCreation("Read-only file system", kSources);
  } else {
    writeLists(shippedFile("PubEnglish.txt"));
    ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
    start(files_);
    ui_.chooseMenu(MenuItem::Lpw);
    expectFailedCreation("Permission denied", kSources);
  }
}

// 2048 words of 18 letters: 40,960 bytes, ten pages, and a private copy as big again.
std::string longWords() {
  std::string text;
  for (int k = 0; k < 2048; ++k) {
    std::string word(18, 'a');
    for (int i = 17, n = k; n > 0; --i, n /= 26) word[static_cast<std::size_t>(i)] += n % 26;
    std::reverse(word.begin(), word.end());
    text += word + "\r\n";
  }
  return text;
}

TEST_F(Form1RealFs, AFullDeviceLeavesNoPartFileAndNoSpaceTaken) {
  // Sixteen pages: the two public lists take eleven, the private copy would need ten more.
  if (!mountTmpfs("64k")) GTEST_SKIP() << "mounting a tmpfs needs root";
  const std::string english = longWords();
  ASSERT_EQ(english.size(), 40960u);
  writeLists(english);
  struct statvfs before {};
  ASSERT_EQ(::statvfs(dir_.c_str(), &before), 0);
  ASSERT_LT(before.f_bavail * before.f_frsize, english.size());
  start(files_);
  ui_.chooseMenu(MenuItem::Lpw);
  expectFailedCreation("No space left on device", kSources);
  // A temporary file deleted but still open would hold its pages.
  struct statvfs after {};
  ASSERT_EQ(::statvfs(dir_.c_str(), &after), 0);
  EXPECT_EQ(after.f_bavail, before.f_bavail);
}

TEST_F(Form1RealFs, AWriteThatRunsOutOfSpaceMidwayLeavesNoPartFile) {
  writeLists(shippedFile("PubEnglish.txt"));
  FillingDisk full(5000);
  start(full);
  ui_.chooseMenu(MenuItem::Lpw);
  EXPECT_EQ(full.accepted, 5000u);
  EXPECT_GE(full.refusals, 1);
  expectFailedCreation("No space left on device", kSources);

  // Room again: the next choice asks again and makes the whole file.
  full.room = 1ul << 20;
  full.accepted = 0;
  ui_.chooseMenu(MenuItem::En);
  ui_.chooseMenu(MenuItem::Lpw);
  ASSERT_EQ(ui_.messages.size(), 3u);
  EXPECT_EQ(ui_.messages[2].title, "Query");
  EXPECT_EQ(full.accepted, fs::file_size(dir_ / "PubEnglish.txt"));
  EXPECT_EQ(contents(privateEnglish()).size(), full.accepted);
  EXPECT_EQ(mode(privateEnglish()) & 0222, 0u);
  EXPECT_EQ(ui_.text(Control::Label1), "PriEnglish");
}

TEST_F(Form1RealFs, SourceRemovedBetweenCountingAndWritingLeavesNoFile) {
  writeLists(shippedFile("PubEnglish.txt"));
  start(files_);
  ui_.duringDoEvents = [this] {
    if (ui_.doEventsCalls == 2) fs::remove(dir_ / "PubEnglish.txt");
  };
  ui_.chooseMenu(MenuItem::Lpw);
  ASSERT_EQ(ui_.doEventsCalls, 2);
  expectFailedCreation("No such file or directory", Names{"PubCzech.txt"});
  EXPECT_NE(ui_.messages[1].text.find((dir_ / "PubEnglish.txt").string()), std::string::npos);
}

TEST_F(Form1RealFs, SourceGrowingBetweenCountingAndWritingLeavesNoFile) {
  const std::string english = shippedFile("PubEnglish.txt");
  writeLists(english);
  start(files_);
  ui_.duringDoEvents = [&] {
    if (ui_.doEventsCalls == 2) write("PubEnglish.txt", english + "zzz\r\n");
  };
  ui_.chooseMenu(MenuItem::Lpw);
  expectFailedCreation("changed", kSources);
}

TEST_F(Form1RealFs, APrivateFileAppearingMeanwhileIsNeitherReplacedNorLoaded) {
  writeLists(shippedFile("PubEnglish.txt"));
  start(files_);
  const std::string foreign = "someone\r\nelse\r\n";
  ui_.duringDoEvents = [&] {
    if (ui_.doEventsCalls == 2) {
      write("PriEnglish.txt", foreign);
      ::chmod(privateEnglish().c_str(), 0640);
    }
  };
  ui_.chooseMenu(MenuItem::Lpw);
  expectFailedCreation("File exists", Names{"PriEnglish.txt", "PubCzech.txt", "PubEnglish.txt"});
  EXPECT_EQ(contents(privateEnglish()), foreign);
  EXPECT_EQ(mode(privateEnglish()), 0640u);
}

}  // namespace
}  // namespace quorvel::testing

namespace quorvel::testing {
namespace {

// Each load of a private list, made or found, is checked against its public list and where
// it lies; every finding shows in one warning before the list loads all the same, untouched.
TEST_F(Form1RealFs, APrivateListIsCheckedEachTimeItLoads) {
  const std::string english = shippedFile("PubEnglish.txt");
  std::vector<std::string> words;
  for (const auto& item : readWordItems(english)) words.emplace_back(item.bytes);
  std::vector<std::string> reordered(words.rbegin(), words.rend());
  const auto with = [&](const std::function<void(std::vector<std::string>&)>& change) {
    std::vector<std::string> changed = reordered;
    change(changed);
    return crlfLines(changed);
  };
  const auto chmod = [](const fs::path& p, mode_t m) { return [=] { ::chmod(p.c_str(), m); }; };
  const fs::path file = privateEnglish();
  const bool root = ::geteuid() == 0;
  struct Case {
    const char* what;
    std::string bytes;
    std::function<void()> arrange;
    std::vector<std::string> said;  // what the one warning says; nothing: no warning
  } cases[] = {
      {"a reordering", crlfLines(reordered), [] {}, {}},
      {"in a sticky folder others can write", crlfLines(reordered), chmod(dir_, 01777), {}},
      {"a word missing", with([](auto& w) { w.pop_back(); }), [] {}, {": 1 missing, 0 extra."}},
      {"a word added", with([](auto& w) { w.push_back("zz"); }), [] {}, {": 0 missing, 1 extra."}},
      {"a word changed", with([](auto& w) { w[7] += "s"; }), [] {}, {": 1 missing, 1 extra."}},
      {"a line twice", with([](auto& w) { w[1] = w[0]; }), [] {}, {": 1 missing, 1 extra."}},
      {"cut short", with([](auto& w) { w.resize(1000); }), [] {}, {": 1048 missing, 0 extra."}},
      {"empty", "", [] {}, {"the public list PubEnglish.txt: 2048 missing, 0 extra."}},
      {"the public order", english, [] {}, {"in their public order"}},
      {"a link to the public list",
       "",
       [&] {
         fs::remove(file);
         fs::create_symlink("PubEnglish.txt", file);
       },
       {"in their public order"}},
      {"writable by the group", crlfLines(reordered), chmod(file, 0620), {"Permissions 0620"}},
      {"writable by all", crlfLines(reordered), chmod(file, 0402), {"Permissions 0402"}},
      {"in a folder others can write",
       crlfLines(reordered),
       chmod(dir_, 0707),
       {"Permissions 0707 for the folder " + dir_.string()}},
      // Only root can give a file away.
      {root ? "another user's" : nullptr,
       crlfLines(reordered),
       [&] { (void)!::chown(file.c_str(), 65534, -1); },
       {"belongs to another user (nobody)"}},
      {"the public order, open to all",
       english,
       [&] { chmod(file, 0666)(), chmod(dir_, 0777)(); },
       {"public order", "Permissions 0666 for this", "Permissions 0777 for the folder"}},
      {"unchecked",
       crlfLines(reordered),
       [&] { fs::remove(dir_ / "PubEnglish.txt"); },
       {"PubEnglish.txt could not be read (No such file or directory)"}},
  };
  for (const auto& c : cases) {
    if (c.what == nullptr) continue;
    SCOPED_TRACE(c.what);
    form_.reset();
    ui_ = FakePlatform();
    ::chmod(dir_.c_str(), 0700);
    fs::remove(file);
    writeLists(english);
    write("PriEnglish.txt", c.bytes);
    ::chmod(file.c_str(), 0400);
    start(files_);
    c.arrange();
    struct stat before {};
    ::lstat(file.c_str(), &before);
    const std::string bytes = contents(file);
    ui_.chooseMenu(MenuItem::Lpw);
    ASSERT_EQ(ui_.messages.size(), c.said.empty() ? 0u : 1u);
    for (const auto& message : ui_.messages) {
      EXPECT_EQ(message.title, "Warning");
      EXPECT_EQ(message.icon, MessageIcon::Warning);
      EXPECT_EQ(message.buttons, MessageButtons::Ok);
      EXPECT_TRUE(message.text.starts_with(file.string() + "\n")) << message.text;
      for (const auto& part : c.said)
        EXPECT_NE(message.text.find(part), std::string::npos) << message.text;
    }
    EXPECT_EQ(ui_.text(Control::Label1), "PriEnglish");
    EXPECT_EQ(master().size(), readWordItems(bytes).size() + 1);
    struct stat after {};
    ::lstat(file.c_str(), &after);
    EXPECT_EQ(contents(file), bytes);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_ino, before.st_ino);
  }
}

}  // namespace
}  // namespace quorvel::testing
