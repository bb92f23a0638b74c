#include "lookup/Lookup.h"

#include <gtest/gtest.h>

#include "lookup/Accents.h"
#include "picks/Picks.h"
#include "support/MemoryFiles.h"
#include "wordlist/ListEntry.h"

namespace quorvel::testing {
namespace {

TEST(Lookup, KeysAreLowercasedThenTakenOnlyByTheirMode) {
  const int rows[][3] = {// key, then what word input and number input make of it
                         {'a', 'a', 0},   {'z', 'z', 0},     {'A', 'a', 0},      {'Z', 'z', 0},
                         {'0', 0, '0'},   {'9', 0, '9'},     {'`', 0, 0},        {'{', 0, 0},
                         {'@', 0, 0},     {'[', 0, 0},       {'/', 0, 0},        {':', 0, 0},
                         {0x7F, 0, 0},    {0x80, 0, 0},      {0xC9, 0xE9, 0},    {0xE9, 0xE9, 0},
                         {0xDF, 0xDF, 0}, {0x153, 0x153, 0}, {0xD7, 0, 0},       {0x130, 0, 0},
                         {0x20AC, 0, 0},  {0x301, 0, 0},     {0x1EF8, 0x1EF9, 0}};
  for (const auto& [key, word, number] : rows) {
    EXPECT_EQ(acceptedKey(lowercaseKey(key), InputMode::Words), word) << key;
    EXPECT_EQ(acceptedKey(lowercaseKey(key), InputMode::Numbers), number) << key;
  }
}

TEST(Lookup, NumberPrefixesListTheirEntriesUpTo2049) {
  std::string file;
  for (int k = 0; k < 2100; ++k) file += "w\r\n";
  const WordItems words = readWordItems(file).value();
  const char* rows[][2] = {
      // a prefix; the count, the first and the last entry it lists
      {"0", "999: 0001 w-0999 w"},  {"1", "1000: 1000 w-1999 w"}, {"2", "50: 2000 w-2049 w"},
      {"00", "99: 0001 w-0099 w"},  {"000", "9: 0001 w-0009 w"},  {"001", "10: 0010 w-0019 w"},
      {"01", "100: 0100 w-0199 w"}, {"0815", "1: 0815 w-0815 w"}, {"2049", "1: 2049 w-2049 w"}};
  for (const auto& [prefix, shown] : rows) {
    const std::vector<std::string> found = scanNumbers(words, prefix);
    EXPECT_EQ(std::to_string(found.size()) + ": " + found.front() + "-" + found.back(), shown);
  }
  const std::string_view none[] = {"205", "3", "0000", "20480", "", "w", {"0\0", 2}};
  for (const std::string_view prefix : none) EXPECT_TRUE(scanNumbers(words, prefix).empty());
  EXPECT_EQ(masterEntry(words, 0) + numberText(32768), " 32768");
}

TEST(Lookup, WordsAreFoundWithOrWithoutTheirAccentsButNotAcrossCaseOrLetters) {
  const std::string_view list[] = {
      "ábaco", "abdomen", "Élan", "elan", "e\u0301te\u0300s",          "straße", "strasse", "ørken",
      "oe",    "œuvre",   "řeka", "việt", std::string_view("a\0b", 3), "\u04C9"};  // Cyrillic
  FoldedWords words;
  for (const std::string_view word : list) words.add(word);
  const std::pair<const char*, std::vector<std::uint32_t>> rows[] = {
      {"ab", {1, 2}}, {"áb", {1, 2}}, {"a", {1, 2, 13}}, {"e", {4, 5}},  {"é", {4, 5}}, {"E", {3}},
      {"èt", {5}},    {"étès", {5}},  {"stras", {7}},    {"straß", {6}}, {"o", {9}},    {"ø", {8}},
      {"œ", {10}},    {"r", {11}},    {"viet", {12}},    {"việ", {12}},  {"abc", {}},   {"", {}}};
  for (const auto& [prefix, found] : rows) EXPECT_EQ(words.find(prefix), found) << prefix;
  EXPECT_TRUE(words.find(std::string("a\0", 2)).empty());
  words.clear();  // a new list: nothing of the old one stays
  words.add("zz");
  EXPECT_EQ(words.find("z"), std::vector<std::uint32_t>{1});
}

// Both lists are made to be typed without accents: each word is found by its accent-free
// spelling and by its own, and Copy Word gives it back exactly, whatever the file's encoding.
TEST(Lookup, EveryFrenchAndSpanishWordIsFoundWithAndWithoutAccentsAndCopiedWhole) {
  const char* plain = "aaaaaaaceeeeiiiidnooooo_ouuuuy_y";  // U+00E0 to U+00FF without accents
  for (const char* name : {"PubFrench.txt", "PubSpanish.txt"}) {
    const std::string utf8 = shippedFile(name);
    std::string latin1;  // their letters all lie below U+0100
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      const char lead = utf8[i];
      latin1 += lead >= 0 ? lead : static_cast<char>(((lead & 0x1F) << 6) | (utf8[++i] & 0x3F));
    }
    const WordItems items = readWordItems(utf8).value(), again = readWordItems(latin1).value();
    FoldedWords words;
    for (const WordItem item : again) words.add(item.text);
    for (std::uint32_t k = 1; k <= items.size(); ++k) {
      std::string word(items.text(k - 1)), typed(again.bytes(k - 1));
      for (char& c : typed) c = static_cast<unsigned char>(c) >= 0xE0 ? plain[c - '\xE0'] : c;
      ASSERT_EQ(typed.find_first_not_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos) << word;
      for (const std::string& keys : {typed, word}) {
        const auto hits = words.find(keys);
        EXPECT_NE(std::find(hits.begin(), hits.end(), k), hits.end()) << name << " " << keys;
      }
      EXPECT_EQ(exportWalk(masterEntry(again, k) + "\r\n", ExportKind::Words), word + "\r\n");
    }
  }
}

}  // namespace
}  // namespace quorvel::testing
