// Picking candidates into the copy box and the three clipboard texts.
#include "app/Form1Fixture.h"

namespace quorvel::testing {
namespace {

class PicksTest : public Form1Test {
 protected:
  // A small list whose words exercise what the exports keep and drop.
  void SetUp() override {
    Form1Test::SetUp();
    fs.files[path("PubEnglish.txt")] =
        crlfLines({"ab1", "cd", "OK", "zoo", "Élan", "Zoo", "cat", "dog", "x`y", "\"Ça Va 2\""});
  }
  void pick(std::string_view number) {
    ui.typeText(number);
    ASSERT_FALSE(candidates().empty()) << number;
    ui.selectCandidate(0);
  }
  void exportBoth(std::string& numbers, std::string& words) {
    ui.clipboardCalls.clear();
    ui.clickOn(Control::Command1);
    numbers = ui.clipboard;
    EXPECT_EQ(ui.text(Control::Text2), numbers);
    ui.clickOn(Control::Command2);
    words = ui.clipboard;
    EXPECT_EQ(ui.text(Control::Text2), words);
    EXPECT_EQ(ui.clipboardCalls, (std::vector<std::string>{"clear", "set", "clear", "set"}));
  }
};

TEST_F(PicksTest, APickAppendsTheEntryCountsItAndClearsTheLookup) {
  start();
  ui.clickOn(Control::WordNum);
  ui.typeText("0007");
  ui.focused = -1;
  ui.selectCandidate(0);
  EXPECT_EQ(text(Control::Text3), "0007 cat\r\n");
  EXPECT_EQ(text(Control::Label2), "01");
  EXPECT_EQ(text(Control::Text1), "");
  EXPECT_TRUE(candidates().empty());
  EXPECT_EQ(ui.focused, static_cast<int>(Control::Text1));
  pick("0007");  // the same entry twice counts twice
  EXPECT_EQ(text(Control::Text3), "0007 cat\r\n0007 cat\r\n");
  EXPECT_EQ(text(Control::Label2), "02");
}

TEST_F(PicksTest, TheCountShowsTwoDigitsUpToNineThenPlainDigits) {
  start();
  ui.clickOn(Control::WordNum);
  std::map<int, std::string> seen;
  for (int i = 1; i <= 100; ++i) {
    pick("0008");
    seen[i] = text(Control::Label2);
  }
  EXPECT_EQ(seen[1], "01");
  EXPECT_EQ(seen[9], "09");
  EXPECT_EQ(seen[10], "10");
  EXPECT_EQ(seen[99], "99");
  EXPECT_EQ(seen[100], "100");
  ui.clickOn(Control::WordNum);
  ui.clickOn(Control::WordNum);
  pick("0008");
  EXPECT_EQ(text(Control::Label2), "01");
  EXPECT_EQ(text(Control::Text3), "0008 dog\r\n");
}

TEST_F(PicksTest, ExportsGiveNumbersAndWordsByteForByte) {
  start();
  ui.clickOn(Control::WordNum);
  pick("0007");
  pick("0008");
  std::string numbers, words;
  exportBoth(numbers, words);
  EXPECT_EQ(numbers, "0007\r\n0008\r\n");
  EXPECT_EQ(words, "cat\r\ndog");
  ui.clickOn(Control::Text3);
  EXPECT_EQ(ui.clipboard, "0007 cat\r\n0008 dog\r\n");
  EXPECT_EQ(text(Control::Text3), "0007 cat\r\n0008 dog\r\n");  // exports leave it alone
  EXPECT_EQ(text(Control::Label2), "02");
}

TEST_F(PicksTest, ExportsDropWhatTheyDoNotKeep) {
  // The picks, by number, and the word export they give.
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"0007"}, "cat"},
      {{"0005", "0006", "0009"}, "Élan\r\noo\r\nx`y"},  // beyond ASCII kept, ASCII capitals not
      {{"0010"}, "Çaa"},                                // Ça Va 2: blanks and digits dropped
      {{"0003", "0007"}, "\r\ncat"},                    // OK: nothing kept
      {{"0003"}, ""},
  };
  start();
  ui.clickOn(Control::WordNum);
  std::string numbers, words;
  for (const auto& [picks, expected] : cases) {
    for (const auto& n : picks) pick(n);
    exportBoth(numbers, words);
    EXPECT_EQ(words, expected);
    ui.clickOn(Control::WordNum);
    ui.clickOn(Control::WordNum);
  }
  EXPECT_EQ(numbers, "0003\r\n");

  pick("0001");  // ab1: the digit runs on into the next number
  pick("0002");
  exportBoth(numbers, words);
  EXPECT_EQ(numbers, "0001\r\n10002\r\n");
}

TEST_F(PicksTest, AnEmptyCopyBoxPutsAnEmptyTextOnTheClipboard) {
  start();
  ui.clipboard = "left over";
  for (Control c : {Control::Text3, Control::Command1, Control::Command2}) {
    ui.clipboardCalls.clear();
    ui.clipboard = "left over";
    ui.clickOn(c);
    EXPECT_EQ(ui.clipboardCalls, (std::vector<std::string>{"clear", "set"}));
    EXPECT_EQ(ui.clipboard, "");
  }
  EXPECT_EQ(text(Control::Text2), "");
}

TEST_F(PicksTest, ALanguageSwitchBetweenPicksKeepsBoth) {
  fs.files[path("PubCzech.txt")] = shippedFile("PubCzech.txt");
  start();
  ui.typeText("cat");
  ui.selectCandidate(0);
  ui.chooseMenu(MenuItem::Cz);
  ui.typeText("abeceda");
  ASSERT_EQ(candidates().size(), 1u);
  ui.selectCandidate(0);
  EXPECT_EQ(text(Control::Text3), "0007 cat\r\n0002 abeceda\r\n");
  EXPECT_EQ(text(Control::Label2), "02");
}

TEST_F(PicksTest, NoSixteenBitLimitOnCountOrCopyBox) {
  start();
  ui.clickOn(Control::WordNum);
  for (int i = 0; i < 33000; ++i) pick("0008");
  EXPECT_EQ(text(Control::Label2), "33000");
  EXPECT_EQ(form->PickCount, 33000);
  std::string numbers, words;
  exportBoth(numbers, words);
  EXPECT_EQ(numbers.size(), 33000u * 6u);
  EXPECT_EQ(words.size(), 33000u * 5u - 2u);
  EXPECT_EQ(numbers.substr(numbers.size() - 12), "0008\r\n0008\r\n");
}

}  // namespace
}  // namespace quorvel::testing
