// Typing into the entry box, the scans and the mode button, driven as a user would.
#include "app/Form1Fixture.h"

namespace quorvel::testing {
namespace {

class LookupTest : public Form1Test {
 protected:
  // The candidates after clearing the box and typing `keys`.
  std::vector<std::string> listed(std::string_view keys) {
    ui.typeKey(8);
    ui.typeText(keys);
    return candidates();
  }
  static std::vector<std::string> numbers(const std::vector<std::string>& entries) {
    std::vector<std::string> out;
    for (const auto& e : entries) out.push_back(e.substr(0, 4));
    return out;
  }
};

TEST_F(LookupTest, NumberPrefixesListTheirRangesInEntryOrder) {
  start();
  ui.clickOn(Control::WordNum);
  const std::pair<std::string, std::pair<int, int>> ranges[] = {
      {"0", {1, 999}}, {"1", {1000, 1999}},   {"2", {2000, 2048}},    {"00", {1, 99}},
      {"000", {1, 9}}, {"204", {2040, 2048}}, {"2048", {2048, 2048}}, {"0815", {815, 815}}};
  for (const auto& [keys, range] : ranges) {
    const auto found = listed(keys);
    ASSERT_EQ(found.size(), static_cast<std::size_t>(range.second - range.first + 1)) << keys;
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_EQ(found[i], master()[static_cast<std::size_t>(range.first) + i]) << keys;
    }
  }
  for (const std::string keys : {"3", "9", "0000", "20480", "10001"}) {
    EXPECT_TRUE(listed(keys).empty()) << keys;
  }
  EXPECT_EQ(text(Control::Text1), "10001");  // the fifth digit is still inserted
}

TEST_F(LookupTest, WordPrefixesListEveryWordThatBeginsWithThem) {
  start();
  const auto a = listed("a");
  ASSERT_FALSE(a.empty());
  for (const auto& e : a) EXPECT_EQ(e[5], 'a') << e;
  EXPECT_EQ(a.front(), "0001 abandon");
  EXPECT_EQ(listed("zoo"), std::vector<std::string>{"2048 zoo"});
  EXPECT_EQ(listed("act"), (std::vector<std::string>{"0020 act", "0021 action", "0022 actor",
                                                     "0023 actress", "0024 actual"}));
  EXPECT_TRUE(listed("zooo").empty());
  EXPECT_EQ(listed("ZOO"), std::vector<std::string>{"2048 zoo"});
  EXPECT_EQ(text(Control::Text1), "zoo");  // capitals go into the box lowercased
}

TEST_F(LookupTest, RejectedKeysEmptyTheCandidatesButKeepTheBox) {
  start();
  ui.typeText("ab");
  ASSERT_FALSE(candidates().empty());
  for (const int code : std::vector<int>{'1', ' ', '.', 13, 27, 22, 0xD7, 0x20AC, 0x301}) {
    ui.typeKey(8);
    ui.typeText("ab");
    ASSERT_FALSE(candidates().empty());
    ui.typeKey(code);
    EXPECT_TRUE(candidates().empty()) << code;
    EXPECT_EQ(text(Control::Text1), "ab") << code;
  }
  ui.typeKey(8);
  ui.typeText("a");
  ui.typeKey('5');
  ui.typeKey('b');
  EXPECT_EQ(form->KeyText, "ab");
  EXPECT_EQ(candidates(), listed("ab"));
  ui.clickOn(Control::WordNum);
  for (const int letter : {int{'x'}, 0xE9}) {  // letters in number input
    ui.typeKey(letter);
    EXPECT_TRUE(candidates().empty());
    EXPECT_EQ(text(Control::Text1), "ab");
  }
}

TEST_F(LookupTest, AccentsAreIgnoredButCaseAndLettersWithoutAccentsAreNot) {
  fs.files[path("PubItalian.txt")] =
      crlfLines({"ábaco", "abdomen", "Élan", "elan", "e\u0301te\u0300", "straße", "strasse",
                 "ørken", "oe", "œuvre", "řeka", "việt", "a×b"});
  start();
  ui.chooseMenu(MenuItem::It);
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"ab", {"0001", "0002"}}, {"áb", {"0001", "0002"}},
      {"e", {"0004", "0005"}},  {"é", {"0004", "0005"}},
      {"èt", {"0005"}},         {"été", {"0005"}},
      {"stras", {"0007"}},      {"straß", {"0006"}},
      {"o", {"0009"}},          {"ø", {"0008"}},
      {"œ", {"0010"}},          {"r", {"0011"}},
      {"viet", {"0012"}},       {"việ", {"0012"}},
      {"ÉL", {"0004"}},  // capitals with accents go in lowercased
  };
  for (const auto& [keys, found] : cases) EXPECT_EQ(numbers(listed(keys)), found) << keys;
  EXPECT_EQ(text(Control::Text1), "él");
}

// Both lists are made to be read without accents: every word is found by its accent-free
// spelling and by its own, and Copy Word gives it back exactly, whatever the file's encoding.
TEST_F(LookupTest, EveryFrenchAndSpanishWordIsFoundWithOrWithoutAccentsAndCopiedWhole) {
  const std::pair<std::string_view, char> plain[] = {{"á", 'a'}, {"é", 'e'}, {"è", 'e'}, {"í", 'i'},
                                                     {"ñ", 'n'}, {"ó", 'o'}, {"ú", 'u'}};
  for (const std::string name : {"PubFrench.txt", "PubSpanish.txt"}) {
    const std::string utf8 = shippedFile(name);
    std::string latin1;  // the same words in Windows-1252: all their letters lie in U+00..U+FF
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      const auto b = static_cast<unsigned char>(utf8[i]);
      latin1 += b < 0x80 ? utf8[i] : static_cast<char>(((b & 0x1F) << 6) | (utf8[++i] & 0x3F));
    }
    for (const std::string& bytes : {utf8, latin1}) {
      SCOPED_TRACE(name + (bytes == utf8 ? " in UTF-8" : " in Windows-1252"));
      fs.files[path("PubItalian.txt")] = bytes;
      start();
      ui.chooseMenu(MenuItem::It);
      ASSERT_EQ(master().size(), 2049u);
      ui.setText(Control::Text3, "");
      std::string copied;
      for (std::size_t k = 1, at = 0; k <= 2048; ++k, at = utf8.find("\r\n", at) + 2) {
        const std::string word = utf8.substr(at, utf8.find("\r\n", at) - at);
        std::string typed = word;
        for (const auto& [accented, base] : plain) {
          for (std::size_t i; (i = typed.find(accented)) != std::string::npos;)
            typed.replace(i, accented.size(), 1, base);
        }
        ASSERT_EQ(master()[k].substr(5), word);
        ASSERT_EQ(typed.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos);
        for (const std::string& keys : {typed, word}) {
          const auto found = listed(keys);
          const auto entry = std::find(found.begin(), found.end(), master()[k]);
          ASSERT_NE(entry, found.end()) << keys;
          ui.selectCandidate(static_cast<int>(entry - found.begin()));
        }
        copied += word + "\r\n" + word + "\r\n";
      }
      ui.clickOn(Control::Command2);
      EXPECT_EQ(ui.clipboard + "\r\n", copied);
    }
  }
}

TEST_F(LookupTest, BackspaceEmptiesBoxAndCandidatesWithoutAScan) {
  start();
  ui.typeText("ab");
  ui.setCaret(1, 1);
  ui.typeKey(8);
  EXPECT_EQ(text(Control::Text1), "");
  EXPECT_TRUE(candidates().empty());
  EXPECT_EQ(form->KeyText, "ab");  // left alone
  ui.typeKey('z');
  EXPECT_EQ(form->KeyText, "z");
}

TEST_F(LookupTest, ThePrefixIsTheOldTextPlusTheKeyWhereverTheCaretIs) {
  start();
  ui.typeText("ab");
  ui.setCaret(0);
  ui.typeKey('c');
  EXPECT_EQ(text(Control::Text1), "cab");
  EXPECT_EQ(form->KeyText, "abc");
  EXPECT_TRUE(candidates().empty());  // no word begins with abc
  // A paste changes the text without a scan; the next key scans the whole text.
  ui.typeText("ab");
  const auto before = candidates();
  ui.setText(Control::Text1, "abs");
  EXPECT_EQ(candidates(), before);
  ui.typeKey('o');
  EXPECT_EQ(candidates(), (std::vector<std::string>{"0007 absorb"}));
}

TEST_F(LookupTest, TheModeButtonTogglesAndResetsThePicksOnly) {
  start();
  ui.typeText("zo");
  ui.selectCandidate(0);
  ui.typeText("ab");
  ASSERT_EQ(text(Control::Label2), "01");
  const auto listedBefore = candidates();
  ui.focused = -1;
  ui.clickOn(Control::WordNum);
  EXPECT_EQ(text(Control::WordNum), "Numbers");
  EXPECT_EQ(ui.state(Control::WordNum).toolTip, " Click To Change To Words Input ");
  EXPECT_EQ(text(Control::Text3), "");
  EXPECT_EQ(text(Control::Label2), "");
  EXPECT_EQ(form->PickCount, 0);
  EXPECT_EQ(text(Control::Text1), "ab");
  EXPECT_EQ(candidates(), listedBefore);
  EXPECT_EQ(ui.focused, static_cast<int>(Control::Text1));
  ui.typeKey('1');
  EXPECT_EQ(text(Control::Text1), "ab1");
  EXPECT_TRUE(candidates().empty());
  ui.clickOn(Control::WordNum);
  EXPECT_EQ(text(Control::WordNum), "Words");
  EXPECT_EQ(ui.state(Control::WordNum).toolTip, " Click To Change To Number Input ");
}

TEST_F(LookupTest, ShortAndLongListsScanOnlyWhatTheyHave) {
  std::vector<std::string> words;
  for (int i = 1; i <= 2100; ++i) words.push_back("w" + std::to_string(i));
  fs.files[path("PubFrench.txt")] = crlfLines(words);
  fs.files[path("PubItalian.txt")] = "";
  start();
  ui.chooseMenu(MenuItem::Fr);
  ui.clickOn(Control::WordNum);
  EXPECT_EQ(listed("2049"), std::vector<std::string>{"2049 w2049"});  // 2049, not 2048
  EXPECT_TRUE(listed("205").empty());                                 // 2050.. never listed
  EXPECT_EQ(listed("2").size(), 50u);
  ui.chooseMenu(MenuItem::It);
  EXPECT_TRUE(listed("0").empty());
  ui.clickOn(Control::WordNum);
  EXPECT_TRUE(listed("w").empty());
}

}  // namespace
}  // namespace quorvel::testing
