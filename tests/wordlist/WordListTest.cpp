#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "support/MemoryFiles.h"
#include "wordlist/PrivateList.h"
#include "wordlist/Utf8.h"

namespace quorvel::testing {
namespace {

// The items, each as its bytes and, where that differs, "=" its text, each followed by "|".
std::string read(const std::string& file) {
  std::string out;
  const WordItems items = readWordItems(file).value();
  for (const WordItem item : items) {
    out.append(item.bytes).append(item.text == item.bytes ? "" : "=" + std::string(item.text)) +=
        "|";
  }
  return out;
}

TEST(WordList, ItemsAreReadByTheRules) {
  const std::pair<std::string, std::string> rows[] = {
      {"abandon\r\nability\nable\rabout", "abandon|ability|able|about|"},
      {"a\n\rb", "a||b|"},  // LF CR: two line ends
      {"", ""},
      {"\r\n", "|"},
      {"zoo\r\n  \t", "zoo|"},
      {"a\r\n\r\nb,,c,\r\nd", "a||b||c||d|"},
      {"   a\r\n\t b \t,c  ,two words", "a|b \t|c  |two words|"},
      {"\"x, y\",z\r\n  \" pad \"\r\n\"\"", "x, y|z| pad ||"},
      {"\"ab\"cd,e\r\n\"f\"  \r\ng", "ab|e|f|g|"},
      {"\"open, still\r\nnext\r\"open\rnext\r\n\"end", "open, still|next|open|next|end|"},
      {std::string("a\0b\r\n\x01", 6), std::string("a\0b|\x01|", 6)},
      {"\xEF\xBB\xBF\xC3\xA1\r\n\xF0\x9F\x98\x80", "\xC3\xA1|\xF0\x9F\x98\x80|"},
      {"\xEF\xBB\xBF\xE9", "\xEF\xBB\xBF\xE9=\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xA9|"},
      {"\xC3\xA9\r\n\x80,\x81\x9F\xA0\xFF",
       "\xC3\xA9=\xC3\x83\xC2\xA9|\x80=\xE2\x82\xAC|\x81\x9F\xA0\xFF="
       "\xC2\x81\xC5\xB8\xC2\xA0\xC3\xBF|"}};
  for (const auto& [file, items] : rows) EXPECT_EQ(read(file), items) << file;
  for (const char* bad : {"\x80", "\xC0\x80", "\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF",
                          "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xE2\x82",
                          "\xE2\x82x", "\xE2\x82\xC3\xA9", "\xF0\x9F\x98\x28"}) {
    EXPECT_NE(read(bad), std::string(bad) + "|") << "taken as UTF-8: " << bad;
  }
  for (const char* good : {"\xED\x9F\xBF", "\xEE\x80\x80", "\xF4\x8F\xBF\xBF", "\xDF\xBF"}) {
    EXPECT_EQ(read(good), std::string(good) + "|") << good;
  }
}

TEST(WordList, DrawsRoundHalfToEven) {
  const double top = std::nextafter(1.0, 0.0),
               rows[][3] = {{0, 4, 1},     {0.5, 4, 2},       {0.125, 5, 2},    {0.375, 5, 2},
                            {0.625, 5, 4}, {0.875, 5, 4},     {0.1, 5, 1},      {top, 5, 5},
                            {0.5, 2, 2},   {top, 1, 1},       {0.5, 0, 0},      {-1, 5, 1},
                            {2, 5, 5},     {0.25, 2048, 513}, {top, 2048, 2048}};
  for (const auto& [r, n, position] : rows)
    EXPECT_EQ(drawPosition(r, n), position) << r << " " << n;
}

TEST(WordList, OrdersArePermutationsWithTheEndsDrawnHalfAsOften) {
  SeededRandom random;
  random.script = {0.0, 0.0, 0.0, 0.99, 0.9, 0.5};  // a taken position is drawn again
  EXPECT_EQ(makeRandomOrder(3, random).value(), (std::vector<std::int64_t>{1, 3, 2}));
  for (const std::int64_t n : {-5L, 0L, 1L, 2L, 40000L}) {
    std::vector<std::int64_t> order = makeRandomOrder(n, random).value(),
                              all(std::max<std::int64_t>(n, 0));
    std::sort(order.begin(), order.end());
    std::iota(all.begin(), all.end(), 1);
    EXPECT_EQ(order, all) << n;
  }
  std::vector<int> first(9);  // weights 1/2, 1, ..., 1, 1/2 for the first of 8
  for (int k = 0; k < 28000; ++k) ++first[makeRandomOrder(8, random).value()[0]];
  for (const int p : {1, 2, 7, 8}) EXPECT_NEAR(first[p], p % 7 == 1 ? 2000 : 4000, 300) << p;
}

TEST(WordList, APrivateFileReadsBackAsTheSourceItemsInTheDrawnOrder) {
  const WordItems items =
      readWordItems(
          "\"three, four\"\r\n\"  lead\"\r\ntr\"ail \r\n\x80\r\n\r\n\xEF\xBB\xBFmark,\"\xEF"
          "\xBB\xBFinner\"")
          .value();
  EXPECT_EQ(privateFileBytes(items, {7, 6, 5, 4, 3, 2, 1}).value(),
            "\xEF\xBB\xBFinner\r\n\xEF\xBB\xBFmark\r\n\r\n\x80\r\ntr\"ail \r\n"
            "\"  lead\"\r\n\"three, four\"\r\n");
  // A UTF-8 file loses the mark at its start, so a first item's own mark needs another.
  EXPECT_EQ(privateFileBytes(readWordItems("a\r\n\"\xEF\xBB\xBFzoo\"").value(), {2, 1}).value(),
            "\xEF\xBB\xBF\xEF\xBB\xBFzoo\r\na\r\n");
  using Order = std::vector<std::int64_t>;
  for (const Order& bad :
       {Order{}, {1, 2}, {1, 2, 3, 1}, {1, 1, 3}, {0, 1, 2}, {1, 2, 4}, {-1, 2, 3}})
    EXPECT_FALSE(privateFileBytes(readWordItems("a,b,c").value(), bad)) << bad.size();
}

}  // namespace
}  // namespace quorvel::testing
