#include "platform/ListStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::testing {
namespace {

struct Referenced : ListRows {  // as the master list's: a head made when asked, a kept tail
  std::vector<std::string> tails;
  std::size_t rowCount() const override { return tails.size(); }
  ListRow row(std::size_t i) const override { return {"2 ", tails[i]}; }
};

TEST(ListStore, RowsOverAThousandCharactersAreDrawnCutYetHandedBackWhole) {
  const std::string e = "\xc3\xa9", dots = "\xe2\x80\xa6";
  struct Row {
    std::string item;  // owned, or the tail after a "2 " head
    bool referenced;
    std::string shown;  // as drawn
  };
  const Row rows[] = {
      {std::string(1000, 'x'), false, std::string(1000, 'x')},
      {std::string(1001, 'x'), false, std::string(1000, 'x') + dots},
      {std::string(999, 'x') + e, false, std::string(999, 'x') + e},  // 1000 characters
      {std::string(999, 'x') + e + "y", false, std::string(999, 'x') + e + dots},
      {std::string(997, 'y') + e, true, "2 " + std::string(997, 'y') + e},
      {std::string(998, 'y') + e, true, "2 " + std::string(998, 'y') + dots},
      {std::string(1200, 'z'), true, "2 " + std::string(998, 'z') + dots},
      {"", true, "2 "},
  };
  // Rows go in in order, owned ones that follow each other sharing a block.
  ListStore store;
  std::vector<Referenced> blocks;
  blocks.reserve(std::size(rows));
  for (const Row& r : rows) {
    if (!r.referenced) {
      store.append(std::vector<std::string>{r.item});
      continue;
    }
    blocks.push_back({});
    blocks.back().tails = {r.item};
    store.append(blocks.back());
  }
  ASSERT_EQ(store.count(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(store.shown(i), rows[i].shown);
    EXPECT_EQ(store.item(i), (rows[i].referenced ? "2 " : "") + rows[i].item);
  }
  EXPECT_EQ(store.item(store.count()), "");
  EXPECT_EQ(store.shown(store.count()), "");
  store.append(std::vector<std::string>{});
  store.append(Referenced{});
  store.append(std::vector<std::string>{"after", "all"});
  EXPECT_EQ(store.count(), std::size(rows) + 2);
  EXPECT_EQ(store.item(std::size(rows) + 1), "all");
  store.clear();
  EXPECT_EQ(store.count(), 0u);
  store.append(std::vector<std::string>{"fresh"});
  EXPECT_EQ(store.item(0), "fresh");
}

}  // namespace
}  // namespace quorvel::testing
