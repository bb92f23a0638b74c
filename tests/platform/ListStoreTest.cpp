#include "platform/ListStore.h"

#include <gtest/gtest.h>

namespace quorvel::testing {
namespace {

struct Referenced : ListRows {  // as the master list's: a head made when asked, a kept tail
  std::string tail;
  std::size_t rowCount() const override { return tail.empty() ? 0 : 1; }
  ListRow row(std::size_t) const override { return {"2 ", tail}; }
};

TEST(ListStore, RowsOverAThousandCharactersAreDrawnCutYetHandedBackWhole) {
  const std::string x(999, 'x'), e = "\xc3\xa9", cut = "\xe2\x80\xa6";
  // Owned rows, then rows after a two-character head; each as drawn.
  const std::pair<std::string, std::string> owned[] = {
      {x + "x", x + "x"}, {x + "xy", x + "x" + cut}, {x + e, x + e}, {x + e + "y", x + e + cut}};
  const std::pair<std::string, std::string> referenced[] = {
      {x.substr(2) + e, "2 " + x.substr(2) + e}, {x.substr(1) + e, "2 " + x.substr(1) + cut}};
  ListStore store;
  Referenced rows[std::size(referenced)];
  for (std::size_t i = 0; i < std::size(referenced); ++i) {
    rows[i].tail = referenced[i].first;
    store.append(rows[i]);
    store.append(Referenced{});  // nothing to add
  }
  for (const auto& [item, shown] : owned) store.append(std::vector<std::string>{item});
  store.append(std::vector<std::string>{"after", "all"});
  ASSERT_EQ(store.count(), std::size(owned) + std::size(referenced) + 2);
  for (std::size_t i = 0; i < store.count() - 2; ++i) {
    const bool own = i >= std::size(referenced);
    const auto& [item, shown] = own ? owned[i - std::size(referenced)] : referenced[i];
    EXPECT_EQ(store.shown(i), shown) << i;
    EXPECT_EQ(store.item(i), (own ? "" : "2 ") + item) << i;
  }
  EXPECT_EQ(store.item(store.count() - 1) + store.item(store.count()), "all");
  EXPECT_EQ(store.shown(store.count()), "");
  store.clear();
  store.append(rows[0]);
  EXPECT_EQ(store.item(0) + std::to_string(store.count()), "2 " + referenced[0].first + "1");
}

}  // namespace
}  // namespace quorvel::testing
