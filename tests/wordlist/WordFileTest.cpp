#include "support/Files.h"
#include "wordlist/WordFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "wordlist/Languages.h"

namespace quorvel {
namespace {

std::vector<std::string> bytesOf(const WordItems& items) {
  std::vector<std::string> out;
  for (const auto& item : items) out.emplace_back(item.bytes);
  return out;
}

std::vector<std::string> textsOf(const WordItems& items) {
  std::vector<std::string> out;
  for (const auto& item : items) out.emplace_back(item.text);
  return out;
}

using Words = std::vector<std::string>;

TEST(ReadWordItems, EveryKindOfLineEndEndsAnItemAndIsConsumedWithIt) {
  const Words expected{"abandon", "ability", "able"};
  EXPECT_EQ(bytesOf(readWordItems("abandon\r\nability\r\nable\r\n")), expected);
  EXPECT_EQ(bytesOf(readWordItems("abandon\nability\nable\n")), expected);
  EXPECT_EQ(bytesOf(readWordItems("abandon\rability\rable\r")), expected);
  EXPECT_EQ(bytesOf(readWordItems("abandon\r\nability\nable\r")), expected);
  // LF CR is two line ends, not one, so it holds an empty line.
  EXPECT_EQ(bytesOf(readWordItems("abandon\n\rable")), (Words{"abandon", "", "able"}));
}

TEST(ReadWordItems, TheEndOfTheInputNeitherLosesNorAddsAnItem) {
  EXPECT_TRUE(readWordItems("").empty());
  EXPECT_EQ(bytesOf(readWordItems("zoo")), Words{"zoo"});
  EXPECT_EQ(bytesOf(readWordItems("zone\r\nzoo")), (Words{"zone", "zoo"}));
  EXPECT_EQ(bytesOf(readWordItems("zone\r\nzoo\r\n")), (Words{"zone", "zoo"}));
  // Blanks after the last line end are no word.
  EXPECT_EQ(bytesOf(readWordItems("zoo\r\n  \t")), Words{"zoo"});
}

TEST(ReadWordItems, EmptyLinesAndEmptyFieldsKeepTheirPlace) {
  EXPECT_EQ(bytesOf(readWordItems("a\r\n\r\nb\r\n")), (Words{"a", "", "b"}));
  EXPECT_EQ(bytesOf(readWordItems("\r\n")), Words{""});
  EXPECT_EQ(bytesOf(readWordItems("a,,b\r\n")), (Words{"a", "", "b"}));
  EXPECT_EQ(bytesOf(readWordItems("a,\r\nb")), (Words{"a", "", "b"}));
  EXPECT_EQ(bytesOf(readWordItems("   \r\nb")), (Words{"", "b"}));
}

TEST(ReadWordItems, CommaSplitsALineIntoConsecutiveItems) {
  EXPECT_EQ(bytesOf(readWordItems("first,second\r\nthird\r\n")),
            (Words{"first", "second", "third"}));
  EXPECT_EQ(bytesOf(readWordItems("a, b,c")), (Words{"a", "b", "c"}));
}

TEST(ReadWordItems, LeadingBlanksAreSkippedTrailingOnesKept) {
  EXPECT_EQ(bytesOf(readWordItems("   abandon\r\n\t ability \t\r\nable  ,about")),
            (Words{"abandon", "ability \t", "able  ", "about"}));
  EXPECT_EQ(bytesOf(readWordItems("two words\r\n")), Words{"two words"});
}

TEST(ReadWordItems, QuotedItemsAreTakenWithoutTheirQuotes) {
  EXPECT_EQ(bytesOf(readWordItems("\"x, y\",z\r\n")), (Words{"x, y", "z"}));
  EXPECT_EQ(bytesOf(readWordItems("  \" padded \"\r\nnext")), (Words{" padded ", "next"}));
  EXPECT_EQ(bytesOf(readWordItems("\"\"\r\nnext")), (Words{"", "next"}));
  // What follows the closing quote up to the item's end is not part of any item.
  EXPECT_EQ(bytesOf(readWordItems("\"ab\"cd,e\r\n\"f\"  \r\ng")), (Words{"ab", "e", "f", "g"}));
}

TEST(ReadWordItems, AnUnclosedQuoteStopsAtItsLineEnd) {
  EXPECT_EQ(bytesOf(readWordItems("\"open, still\r\nnext\r\n")), (Words{"open, still", "next"}));
  EXPECT_EQ(bytesOf(readWordItems("\"open to the end")), Words{"open to the end"});
  EXPECT_EQ(bytesOf(readWordItems("\"open\rnext")), (Words{"open", "next"}));
}

TEST(ReadWordItems, BytesAreKeptExactlyIncludingNul) {
  const std::string input("a\0b\r\n\x01\x7f\r\n", 8);
  const auto items = readWordItems(input);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].bytes, std::string("a\0b", 3));
  EXPECT_EQ(items[0].text, std::string("a\0b", 3));
  EXPECT_EQ(items[1].bytes, "\x01\x7f");
}

TEST(ReadWordItems, Utf8InputIsTakenAsUtf8AndAMarkBeforeItIsDropped) {
  const auto items = readWordItems(
      "\xEF\xBB\xBF\xC3\xA1"
      "baco\r\nna\xC3\xAFve\r\n");
  EXPECT_EQ(bytesOf(items), (Words{"\xC3\xA1"
                                   "baco",
                                   "na\xC3\xAFve"}));
  EXPECT_EQ(textsOf(items), (Words{"\xC3\xA1"
                                   "baco",
                                   "na\xC3\xAFve"}));
}

TEST(ReadWordItems, AnyInvalidUtf8MakesTheWholeFileWindows1252) {
  // The second line on its own would be valid UTF-8, but one stray byte decides for the file.
  const auto items = readWordItems("caf\xE9\r\n\xC3\xA9t\xC3\xA9\r\n\x80, \x81\x9F\r\n");
  EXPECT_EQ(bytesOf(items), (Words{"caf\xE9", "\xC3\xA9t\xC3\xA9", "\x80", "\x81\x9F"}));
  EXPECT_EQ(textsOf(items), (Words{"caf\xC3\xA9", "\xC3\x83\xC2\xA9t\xC3\x83\xC2\xA9",
                                   "\xE2\x82\xAC", "\xC2\x81\xC5\xB8"}));
}

TEST(Utf8Validation, AcceptsWellFormedAndRejectsEveryMalformedShape) {
  EXPECT_TRUE(isValidUtf8(""));
  EXPECT_TRUE(isValidUtf8("plain ascii\r\n"));
  EXPECT_TRUE(isValidUtf8("\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF"));
  EXPECT_TRUE(isValidUtf8("\xED\x9F\xBF"));  // U+D7FF, just below the surrogates

  EXPECT_FALSE(isValidUtf8("\x80"));              // continuation without a lead
  EXPECT_FALSE(isValidUtf8("\xC0\x80"));          // overlong NUL
  EXPECT_FALSE(isValidUtf8("\xC1\xBF"));          // overlong
  EXPECT_FALSE(isValidUtf8("\xE0\x9F\xBF"));      // overlong three-byte
  EXPECT_FALSE(isValidUtf8("\xF0\x8F\xBF\xBF"));  // overlong four-byte
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
  EXPECT_FALSE(isValidUtf8("\xF5\x80\x80\x80"));
  EXPECT_FALSE(isValidUtf8("\xE2\x82"));  // cut short
  EXPECT_FALSE(isValidUtf8("\xE2\x82x"));
  EXPECT_FALSE(isValidUtf8("ok\xFF"));
}

TEST(Windows1252, MapsTheHighHalfIncludingTheUnassignedBytes) {
  EXPECT_EQ(windows1252ToUtf8("abc"), "abc");
  EXPECT_EQ(windows1252ToUtf8("\x80\x8A\x99\x9F"), "\xE2\x82\xAC\xC5\xA0\xE2\x84\xA2\xC5\xB8");
  EXPECT_EQ(windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(windows1252ToUtf8("\xA0\xE9\xFF"), "\xC2\xA0\xC3\xA9\xC3\xBF");
  // Every byte gives exactly one character, so the result is always valid UTF-8.
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_TRUE(isValidUtf8(windows1252ToUtf8(all)));
}

TEST(ListEntries, NumberTextIsFourDigitsUpToNineThousandNineHundredNinetyNine) {
  EXPECT_EQ(numberText(1), "0001");
  EXPECT_EQ(numberText(9), "0009");
  EXPECT_EQ(numberText(10), "0010");
  EXPECT_EQ(numberText(99), "0099");
  EXPECT_EQ(numberText(100), "0100");
  EXPECT_EQ(numberText(999), "0999");
  EXPECT_EQ(numberText(1000), "1000");
  EXPECT_EQ(numberText(2048), "2048");
  EXPECT_EQ(numberText(12345), "12345");
  EXPECT_EQ(numberText(40000), "40000");
}

TEST(ListEntries, MasterListStartsWithABlankEntryAndShowsDecodedWords) {
  EXPECT_EQ(listEntry(7, "able"), "0007 able");
  const auto items = readWordItems("caf\xE9\r\nzoo\r\n");
  EXPECT_EQ((Words{masterEntry(items, 0), masterEntry(items, 1), masterEntry(items, 2)}),
            (Words{" ", "0001 caf\xC3\xA9", "0002 zoo"}));
  EXPECT_EQ(masterEntry(WordItems(), 0), " ");
}

TEST(ListEntries, LongListsLoadWholePastSixteenBitCounts) {
  std::string input;
  for (int k = 1; k <= 40000; ++k) input += "w" + std::to_string(k) + "\r\n";
  const auto items = readWordItems(input);
  ASSERT_EQ(items.size(), 40000u);
  EXPECT_EQ(masterEntry(items, 32767), "32767 w32767");
  EXPECT_EQ(masterEntry(items, 32768), "32768 w32768");
  EXPECT_EQ(masterEntry(items, 40000), "40000 w40000");
}

struct ShippedList {
  const char* language;
  const char* first;
  const char* last;
};

class ShippedWordFiles : public ::testing::TestWithParam<ShippedList> {};

TEST_P(ShippedWordFiles, HoldTwoThousandFortyEightDistinctWordsThatRebuildTheFile) {
  const ShippedList& list = GetParam();
  const std::string path = std::string(QUORVEL_DATA_DIR) + "/" + publicFileName(list.language);
  ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
  const std::string bytes = testing::readBytes(path);

  const auto items = readWordItems(bytes);
  ASSERT_EQ(items.size(), 2048u);
  EXPECT_EQ(items.front().text, list.first);
  EXPECT_EQ(items.back().text, list.last);
  std::set<std::string> distinct;
  std::string rebuilt;
  for (const auto& item : items) {
    EXPECT_FALSE(item.bytes.empty());
    EXPECT_EQ(item.text, item.bytes);  // the shipped files are UTF-8
    distinct.emplace(item.bytes);
    rebuilt.append(item.bytes).append("\r\n");
  }
  EXPECT_EQ(distinct.size(), 2048u);
  EXPECT_EQ(rebuilt, bytes);
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, ShippedWordFiles,
                         ::testing::Values(ShippedList{"Czech", "abdikace", "zvyk"},
                                           ShippedList{"English", "abandon", "zoo"},
                                           ShippedList{"French", "abaisser", "zoologie"},
                                           ShippedList{"Italian", "abaco", "zuppa"},
                                           ShippedList{"Portuguese", "abacate", "zumbido"},
                                           ShippedList{"Spanish",
                                                       "\xC3\xA1"
                                                       "baco",
                                                       "zurdo"}),
                         [](const auto& info) { return std::string(info.param.language); });

TEST(FileNaming, PublicPrivateAndListNamesAgree) {
  for (const auto language : kLanguages) {
    const std::string publicName = publicFileName(language);
    EXPECT_EQ(publicName, "Pub" + std::string(language) + ".txt");
    const std::string shown = listName(publicName);
    EXPECT_EQ(shown, "Pub" + std::string(language));
    const std::string privateName = privateFileName(shown);
    EXPECT_EQ(privateName, "Pri" + std::string(language) + ".txt");
    // The private list's own name leads back to the same file.
    EXPECT_EQ(privateFileName(listName(privateName)), privateName);
  }
}

TEST(FileNaming, ShortNamesDoNotReadOutOfRange) {
  EXPECT_EQ(listName(".txt"), "");
  EXPECT_EQ(listName("ab"), "");
  EXPECT_EQ(privateFileName(""), "Pri.txt");
  EXPECT_EQ(privateFileName("Pu"), "Pri.txt");
  EXPECT_EQ(privateFileName("Pub"), "Pri.txt");
  EXPECT_EQ(privateFileName("PubX"), "PriX.txt");
}

}  // namespace
}  // namespace quorvel
