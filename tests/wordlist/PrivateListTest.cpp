#include "wordlist/PrivateList.h"

#include "platform/posix/SystemRandom.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace quorvel {
namespace {

// Reproducible numbers for tests; same 53-bit shape as the system source.
class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
  Result<double> next() override { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 engine_;
};

// Plays back a fixed list of numbers.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::deque<double> values) : values_(std::move(values)) {}
  Result<double> next() override {
    if (values_.empty()) return Error(std::errc::result_out_of_range, "script ran out");
    const double r = values_.front();
    values_.pop_front();
    return r;
  }

 private:
  std::deque<double> values_;
};

bool isPermutation(const std::vector<std::int64_t>& order, std::int64_t n) {
  if (order.size() != static_cast<std::size_t>(n)) return false;
  std::vector<char> seen(order.size() + 1, 0);
  for (const auto p : order) {
    if (p < 1 || p > n || seen[static_cast<std::size_t>(p)]) return false;
    seen[static_cast<std::size_t>(p)] = 1;
  }
  return true;
}

TEST(DrawPosition, RoundsHalfToEvenOverOneToN) {
  const double belowOne = std::nextafter(1.0, 0.0);
  struct Case {
    double r;
    std::int64_t n, expected;
  };
  const Case cases[] = {
      {0.0, 4, 1},
      {0.5, 4, 2},    // 2.5 goes down to the even 2
      {0.125, 5, 2},  // 1.5 goes up to 2
      {0.375, 5, 2},  // 2.5
      {0.625, 5, 4},  // 3.5
      {0.875, 5, 4},  // 4.5
      {0.1, 5, 1},
      {0.9, 5, 5},
      {belowOne, 5, 5},
      {0.0, 2048, 1},
      {0.5, 2048, 1024},  // 1024.5
      {0.25, 2048, 513},  // 512.75
      {belowOne, 2048, 2048},
      {0.49, 2, 1},
      {0.5, 2, 2},  // 1.5
      {0.0, 1, 1},
      {belowOne, 1, 1},
      {belowOne, 40000, 40000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(drawPosition(c.r, c.n), c.expected) << "r=" << c.r << " n=" << c.n;
  }
}

TEST(DrawPosition, DoesNotDependOnTheFloatingPointRoundingMode) {
  const int saved = std::fegetround();
  for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    std::fesetround(mode);
    EXPECT_EQ(drawPosition(0.5, 4), 2);
    EXPECT_EQ(drawPosition(0.625, 5), 4);
    EXPECT_EQ(drawPosition(0.1, 5), 1);
  }
  std::fesetround(saved);
}

TEST(MakeRandomOrder, GivesAPermutationOfEveryLength) {
  SeededRandom random(20240611);
  for (const std::int64_t n : {0, 1, 2, 3, 2048, 32766, 40000}) {
    EXPECT_TRUE(isPermutation(makeRandomOrder(n, random).value(), n)) << n;
  }
  EXPECT_TRUE(makeRandomOrder(-5, random).value().empty());
}

TEST(MakeRandomOrder, RedrawsATakenPositionUntilAFreeOneComes) {
  // n = 3: 0 draws 1; 0 and 0 again hit it; 0.99 gives 2.98 -> 3; 0.9 is 3 again; 0.5 gives 2.
  ScriptedRandom random({0.0, 0.0, 0.0, 0.99, 0.9, 0.5});
  EXPECT_EQ(makeRandomOrder(3, random).value(), (std::vector<std::int64_t>{1, 3, 2}));
}

TEST(MakeRandomOrder, TheEndPositionsCarryHalfWeight) {
  constexpr int kN = 8;
  constexpr int kOrders = 40000;
  SeededRandom random(7);
  std::vector<int> firstCount(kN + 1, 0);
  std::vector<double> placeSum(kN + 1, 0);
  for (int k = 0; k < kOrders; ++k) {
    const auto order = makeRandomOrder(kN, random).value();
    ++firstCount[static_cast<std::size_t>(order[0])];
    for (int place = 0; place < kN; ++place) {
      placeSum[static_cast<std::size_t>(order[static_cast<std::size_t>(place)])] += place;
    }
  }
  double middleFirst = 0, middlePlace = 0;
  for (int p = 2; p < kN; ++p) {
    middleFirst += firstCount[p];
    middlePlace += placeSum[p];
  }
  middleFirst /= kN - 2;
  middlePlace /= kN - 2;
  for (const int end : {1, kN}) {
    const double ratio = firstCount[end] / middleFirst;
    EXPECT_GT(ratio, 0.35) << "position " << end;
    EXPECT_LT(ratio, 0.65) << "position " << end;
    // Drawn less often, the end words land later in the order on average.
    EXPECT_GT(placeSum[end], middlePlace * 1.1) << "position " << end;
  }
}

TEST(SystemRandom, GivesUniformNumbersBelowOneAndFreshOrders) {
  SystemRandom random;
  double sum = 0;
  constexpr int kCount = 5000;  // several refills of the block
  for (int k = 0; k < kCount; ++k) {
    const double r = random.next().value();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
    sum += r;
  }
  EXPECT_NEAR(sum / kCount, 0.5, 0.05);

  const auto first = makeRandomOrder(2048, random).value();
  SystemRandom another;
  const auto second = makeRandomOrder(2048, another).value();
  EXPECT_TRUE(isPermutation(first, 2048));
  EXPECT_TRUE(isPermutation(second, 2048));
  EXPECT_NE(first, second);
}

TEST(ColumnCount, RoundsHalfToEvenAndNeverGoesBelowOne) {
  EXPECT_EQ(columnCount(3000, 1000), 2);
  EXPECT_EQ(columnCount(4500, 1000), 3);
  EXPECT_EQ(columnCount(3750, 1000), 2);  // 2.5
  EXPECT_EQ(columnCount(5250, 1000), 4);  // 3.5
  EXPECT_EQ(columnCount(3800, 1000), 3);  // 2.53
  EXPECT_EQ(columnCount(1000, 1000), 1);
  EXPECT_EQ(columnCount(100, 1000), 1);
  EXPECT_EQ(columnCount(0, 1000), 1);
  EXPECT_EQ(columnCount(3000, 0), 1);
  EXPECT_EQ(columnCount(3000, -5), 1);
  EXPECT_EQ(columnCount(1e300, 1), INT_MAX);
}

WordItems mixedItems() {
  // Windows-1252 bytes, an empty field and a NUL: all must survive the trip.
  static constexpr char kSource[] = "caf\xE9\r\n\x80uro,,na\xEFve\r\nzoo\r\na\0b\r\n";
  return readWordItems(std::string(kSource, sizeof(kSource) - 1));
}

TEST(PrivateFileBytes, RejectsAnythingButAPermutation) {
  const auto items = mixedItems();
  ASSERT_EQ(items.size(), 6u);
  const std::vector<std::vector<std::int64_t>> bad{{},
                                                   {1, 2, 3, 4, 5},
                                                   {1, 2, 3, 4, 5, 6, 1},
                                                   {1, 2, 3, 4, 5, 5},
                                                   {0, 1, 2, 3, 4, 5},
                                                   {1, 2, 3, 4, 5, 7},
                                                   {-1, 2, 3, 4, 5, 6}};
  for (const auto& order : bad) EXPECT_FALSE(privateFileBytes(items, order));
  EXPECT_EQ(privateFileBytes({}, {}).value(), "");
}

TEST(PrivateFileBytes, ReadsBackAsTheSourceItemsInTheDrawnOrder) {
  const auto items = mixedItems();
  SeededRandom random(99);
  const auto order = makeRandomOrder(static_cast<std::int64_t>(items.size()), random).value();
  const std::string out = privateFileBytes(items, order).value();

  const auto back = readWordItems(out);
  ASSERT_EQ(back.size(), items.size());
  std::size_t length = 0;
  for (std::size_t k = 0; k < order.size(); ++k) {
    const auto& source = items[static_cast<std::size_t>(order[k]) - 1];
    EXPECT_EQ(back[k].bytes, source.bytes) << k;
    EXPECT_EQ(back[k].text, source.text) << k;
    length += source.bytes.size() + 2;
  }
  EXPECT_EQ(out.size(), length);
  EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

// Items that came from quotes must survive the trip through a private file, or every number
// after them would shift.
TEST(PrivateFileBytes, QuotesWhatWouldNotReadBackBare) {
  const auto items = readWordItems(
      "\"three, four\"\r\n\"  lead\"\r\ntr\"ail \r\nplain\r\n\r\n\xEF\xBB\xBFmark,\"\xEF\xBB\xBF"
      "inner\"\r\n");
  ASSERT_EQ(items.size(), 7u);
  const std::string out = privateFileBytes(items, {7, 6, 5, 4, 3, 2, 1}).value();
  // The first item's own mark survives behind the file's.
  EXPECT_EQ(out,
            "\xEF\xBB\xBF\xEF\xBB\xBFinner\r\n\xEF\xBB\xBFmark\r\n\r\nplain\r\ntr\"ail \r\n\"  "
            "lead\"\r\n\"three, four\"\r\n");
  const auto back = readWordItems(out);
  ASSERT_EQ(back.size(), items.size());
  for (std::size_t k = 0; k < items.size(); ++k) EXPECT_EQ(back[k].bytes, items[6 - k].bytes);
  EXPECT_FALSE(needsQuotes("plain"));
  EXPECT_FALSE(needsQuotes(""));
}

}  // namespace
}  // namespace quorvel
