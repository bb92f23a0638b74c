// Form1 on the in-memory window and files, driven as a user would.
#include "app/Form1.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/FakePlatform.h"
#include "support/MemoryFiles.h"

namespace quorvel::testing {
namespace {

// A file in the program folder as messages name it, with the system's own separator.
const auto inQ = [](const char* name) { return (std::filesystem::path("/q") / name).string(); };

struct Form1Test : ::testing::Test {
  MemoryFiles files;
  SeededRandom random;
  FakePlatform ui;
  std::unique_ptr<Form1> form;

  void start() {
    form.reset();
    ui = FakePlatform();
    form = std::make_unique<Form1>(ui, files, random, "/q");
    ui.attach(*form);
    ui.load();
  }
  // Keys into the entry box; '#' clicks the mode button and '^' picks the first candidate,
  // each with the focus elsewhere, as a click takes it.
  void type(std::u16string_view keys) {
    for (const char16_t key : keys) {
      if (key != '#' && key != '^') ui.typeKey(key);
      ui.focused = key == '#' || key == '^' ? Control::AboutStrip : ui.focused;
      if (key == '#') ui.click(Control::ModeButton);
      if (key == '^') ui.selectCandidate(0);
    }
  }
  // The entry box, the candidates, the copy box, the pick count and the mode.
  std::string window() {
    std::string shown = ui.text(Control::EntryBox) + "|";
    for (const auto& entry : ui.items(Control::Candidates)) shown += entry + ",";
    return shown + "|" + ui.text(Control::CopyBox) + "|" + ui.text(Control::PickCount) + "|" +
           ui.text(Control::ModeButton);
  }
};

TEST_F(Form1Test, KeysListTheEntriesTheyBeginAndPicksCollectThemInTheCopyBox) {
  const std::pair<std::u16string_view, const char*> rows[] = {
      {u"zoo", "zoo|2048 zoo,|||Words"},
      {u"ZoO^", "||2048 zoo\r\n|01|Words"},
      {u"zo5", "zo||||Words"},                       // a rejected key empties the candidates
      {u"zo5o", "zoo|2048 zoo,|||Words"},            // and leaves the scans as they were
      {u"zo\b", "||||Words"},                        // backspace empties the box
      {u"zoo^#", "||||Numbers"},                     // the mode button empties the copy box
      {u"zoo^#2048^", "||2048 zoo\r\n|01|Numbers"},  // and starts the count again
      {u"#20#4", "20||||Words"},
      {u"\u00C9vo", "\u00E9vo|0625 evoke,0626 evolve,|||Words"},
      {u"\u1EBDvo", "\u1EBDvo|0625 evoke,0626 evolve,|||Words"},  // beyond two UTF-8 bytes
      {u"#0007^0007^0009^", "||0007 absorb\r\n0007 absorb\r\n0009 absurd\r\n|03|Numbers"}};
  for (const auto& [keys, shown] : rows) {
    start();
    type(keys);
    EXPECT_EQ(window(), shown);
    EXPECT_EQ(ui.focused, Control::EntryBox);
  }
}

TEST_F(Form1Test, ExportsPutTheCopyBoxItsNumbersOrItsWordsOnTheClipboard) {
  start();
  ui.click(Control::CopyWords);  // nothing picked: nothing to copy
  EXPECT_EQ(ui.clipboard, "");
  type(u"#0007^0007^0009^");
  const std::pair<Control, const char*> exports[] = {
      {Control::CopyNumbers, "0007\r\n0007\r\n0009\r\n"},
      {Control::CopyWords, "absorb\r\nabsorb\r\nabsurd"},
      {Control::CopyBox, "0007 absorb\r\n0007 absorb\r\n0009 absurd\r\n"}};
  for (const auto& [button, clipboard] : exports) {
    ui.click(button);
    EXPECT_EQ(ui.clipboard, clipboard);
  }
}

TEST_F(Form1Test, TheModeButtonTipNamesTheModeAClickSwitchesTo) {
  start();
  for (const char* tip :
       {" Click To Change To Words Input ", " Click To Change To Number Input "}) {
    type(u"#");
    EXPECT_EQ(ui.state(Control::ModeButton).toolTip, tip);
  }
}

TEST_F(Form1Test, APrefixIsTheOldTextAndTheKeyWhereverTheCaretIsAndAPasteWaitsForAKey) {
  start();
  type(u"ab");
  ui.setCaret(0);
  type(u"s");  // the box reads "sab", but the scan is for the old text and the key
  EXPECT_EQ(window(), "sab|0006 absent,0007 absorb,0008 abstract,0009 absurd,|||Words");
  ui.setText(Control::EntryBox, "abs");  // the program's own change: no scan until a key
  EXPECT_EQ(window(), "abs|0006 absent,0007 absorb,0008 abstract,0009 absurd,|||Words");
  type(u"o");
  EXPECT_EQ(window(), "abso|0007 absorb,|||Words");
}

TEST_F(Form1Test, ALanguageChoiceLoadsItsListAndKeepsEverythingElse) {
  files.files["/q/PubItalian.txt"] = "";
  start();
  type(u"#0002^12");
  const std::string before = window();
  const char* rows[][2] = {{"Czech", "PubCzech 0001 abdikace"},
                           {"French", "PubFrench 0001 abaisser"},
                           {"Italian", "PubItalian "},
                           {"Portuguese", "PubPortuguese 0001 abacate"},
                           {"Spanish", "PubSpanish 0001 \u00E1baco"},
                           {"English", "PubEnglish 0001 abandon"}};
  for (const auto& [language, shown] : rows) {
    ui.choose(languageItem(language));
    EXPECT_EQ(ui.text(Control::ListName) + ui.itemAt(Control::WordList, 0) +
                  ui.itemAt(Control::WordList, 1),
              shown);
    EXPECT_EQ(ui.itemCount(Control::WordList), language == rows[2][0] ? 1 : 2049);
    EXPECT_EQ(window(), before);
  }
  EXPECT_EQ(ui.itemAt(Control::WordList, 2048), "2048 zoo");
  ui.choose(languageItem("Czech"));
  type(u"\b0002^");
  EXPECT_EQ(window(), "||0002 ability\r\n0002 abeceda\r\n|02|Numbers");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Form1Test, AListThatCannotBeReadEndsTheProgramAfterSayingSo) {
  start();
  files.failRead = files.reads + 1;
  ui.choose(languageItem("Czech"));
  EXPECT_EQ(ui.messages,
            std::vector<std::string>{"Error: Can Not Find File " + inQ("PubCzech.txt") +
                                     " It's Missing Or Corrupted           Now "
                                     "Ending (Critical, Ok)"});
  EXPECT_TRUE(ui.exitStatus == 1 && ui.edgeSets == 0);
  EXPECT_FALSE(ui.typeKey('a') || ui.click(Control::CopyNumbers) || ui.close());
  form->onMenu(
      languageItem("English"));  // one the toolkit had queued before the end changes nothing
  EXPECT_EQ(ui.text(Control::ListName), "PubCzech");
}

TEST_F(Form1Test, ClosingSlidesTheWindowDownRightAndSmallerUntilPastTheScreen) {
  // Top, screen width, sets refused (as by a window that will not move), clock step; sets, edges.
  const std::tuple<float, std::optional<float>, int, double, int, std::vector<float>> rows[] = {
      {3000, 6000, 0, 0, 404, {6030, 6030, 1845, 1800}},   // the size stops at its smallest
      {20000, 16000, 0, 0, 4, {20030, 3030, 6585, 4740}},  // already past: one step
      {4000, std::nullopt, 0, 0, 4, {4030, 3030, 6585, 4740}},
      {4000, 16000, 1 << 30, 0, 4 * 8, {4000, 3000, 6645, 4800}},        // 8 steps refused
      {4000, 16000, 1 << 30, 0.3, 4 * 2, {4000, 3000, 6645, 4800}},      // or half a second
      {4000, 16000, 4 * 7, 0.01, 4 * 408, {16030, 15030, 1845, 1800}}};  // 7 late: not refused
  for (const auto& [top, screen, refused, step, sets, edges] : rows) {
    start();
    std::tie(ui.edge[0], ui.screen, ui.refusals, ui.clockStep) =
        std::tie(top, screen, refused, step);
    ui.close();
    EXPECT_TRUE(ui.exitStatus == 0 && ui.edgeSets == sets) << top;
    EXPECT_EQ(std::vector<float>(ui.edge, ui.edge + 4), edges);
  }  // File > Exit moves nothing, and openbox holds the top edge: the smoke tests see those
}

// "Load Private Words": with a lookup and a pick in the window, which nothing here may disturb.
TEST_F(Form1Test, APrivateListIsMadeOnYesReadOnlyShuffledAndLoaded) {
  const auto sorted = [](std::string file) { return std::sort(file.begin(), file.end()), file; };
  start();
  type(u"zoo^ab");
  const std::string before = window(), pub = files.files["/q/PubEnglish.txt"];
  bool working = false;  // and taking no input
  ui.duringDoEvents = [&] {
    working = ui.state(Control::WorkingBanner).visible && !ui.choose(languageItem("Czech"));
  };
  ui.answers = {MessageAnswer::No};
  ui.choose(kLoadPrivateList);
  EXPECT_EQ(files.files.count("/q/PriEnglish.txt") + ui.doEventsCalls, 0u);
  const int reads = files.reads;
  ui.choose(kLoadPrivateList);
  EXPECT_EQ(files.reads - reads, 2);  // made from the list shown; read back and checked
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1],
            "Query: Do You Want To Make Private PriEnglish Words Yes No?  (Question, YesNo)");
  EXPECT_TRUE(working && !ui.state(Control::WorkingBanner).visible);
  const std::string made = files.files["/q/PriEnglish.txt"];
  EXPECT_TRUE(files.readOnly.count("/q/PriEnglish.txt") && made != pub);
  EXPECT_EQ(sorted(made), sorted(pub));  // the same words, as the same bytes
  EXPECT_EQ(ui.text(Control::ListName) + ui.itemAt(Control::WordList, 1),
            "PriEnglish0001 " + made.substr(0, made.find('\r')));
  EXPECT_EQ(window(), before);
  ui.choose(languageItem("English"));
  ui.choose(kLoadPrivateList);  // made once: loaded from now on, without a question
  EXPECT_EQ(ui.messages.size() + ui.doEventsCalls, 5u);
  EXPECT_EQ(files.sweeps, std::vector<std::string>(3, "/q/PriEnglish.txt"));  // each time
  EXPECT_EQ(ui.text(Control::ListName), "PriEnglish");
  // A small list: after the bigger one the window still holds the old order, the file must not.
  const std::pair<const char*, const char*> rows[] = {
      {"only\r\n", "only\r\n"}, {"un,deux", "deux\r\nun\r\n"}, {"", ""}};
  for (const auto& [source, privateFile] : rows) {
    files.files["/q/PubCzech.txt"] = source;
    files.files.erase("/q/PriCzech.txt");
    random.script = {0.9};  // the last word first
    ui.choose(languageItem("Czech"));
    ui.choose(kLoadPrivateList);
    EXPECT_EQ(files.files["/q/PriCzech.txt"], privateFile);
    EXPECT_EQ(ui.itemCount(Control::WordList),
              1 + std::ranges::count(std::string_view(privateFile), '\n'));
  }
}

TEST_F(Form1Test, APrivateListIsCheckedWhenLoadedAndLoadedAllTheSame) {
  files.files["/q/PriEnglish.txt"] = files.files["/q/PubEnglish.txt"];
  start();
  ui.choose(kLoadPrivateList);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_TRUE(ui.messages[0].starts_with("Warning: " + inQ("PriEnglish.txt") +
                                         "\n\nIt holds the words of "));
  EXPECT_TRUE(ui.messages[0].ends_with(" (Warning, Ok)"));
  EXPECT_EQ(ui.text(Control::ListName) + ui.itemAt(Control::WordList, 2048), "PriEnglish2048 zoo");
}

TEST_F(Form1Test, AFailedPrivateListWritesNothingSaysWhyAndKeepsTheListShown) {
  const std::pair<std::function<void()>, std::string> rows[] = {
      {[&] { files.failWrite = 1; }, "Permission denied"},
      {[&] { files.room = 1000; }, "No space left on device"},
      {[&] { random.broken = true; }, "no secure random numbers: getrandom"},
      // 64 MiB read with LF, too large to read back once every line ends in CR LF.
      {[&] {
         std::string& read = files.files["/q/PubEnglish.txt"] = "";
         for (int k = 0; k < 2048; ++k) read += 'w' + std::string(32766, 'x') + '\n';
       },
       "larger than the 64 MiB"}};
  for (const auto& [arrange, reason] : rows) {
    files = MemoryFiles();
    random.broken = false;
    arrange();
    start();
    type(u"zoo^ab");
    const std::string before = window();
    ui.choose(kLoadPrivateList);
    ASSERT_EQ(ui.messages.size(), 2u) << reason;
    EXPECT_EQ(ui.messages[1].substr(0, 39), "Error: Can Not Make " + inQ("PriEnglish.txt") + " (");
    EXPECT_NE(ui.messages[1].find(reason), std::string::npos) << ui.messages[1];
    EXPECT_EQ(files.readOnly.size(), 0u);
    EXPECT_EQ(ui.text(Control::ListName) + window(), "PubEnglish" + before);
    EXPECT_TRUE(ui.choose(languageItem("Czech")));  // still running and taking input
  }
}

}  // namespace
}  // namespace quorvel::testing
