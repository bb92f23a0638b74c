#include "picks/Picks.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(Picks, TheCountShowsTwoDigitsAtLeastAndNothingForNone) {
  const std::pair<std::int64_t, const char*> rows[] = {
      {-1, ""}, {0, ""}, {1, "01"}, {9, "09"}, {10, "10"}, {99, "99"}, {100, "100"}};
  for (const auto& [count, caption] : rows) EXPECT_EQ(pickCountCaption(count), caption);
}

TEST(Picks, ExportsKeepWhatTheirKindKeepsAndEndEachLineWithCrLf) {
  const char* rows[][3] = {// copy box, numbers, words
                           {"0007 cat\r\n0008 dog\r\n", "0007\r\n0008\r\n", "cat\r\ndog"},
                           {"0005 \xC3\x89lan\r\n0006 Zoo\r\n0009 x`y{_\r\n",
                            "0005\r\n0006\r\n0009\r\n", "\xC3\x89lan\r\noo\r\nx`y"},
                           {"0010 \xC3\x87z Vz 2\r\n", "0010\r\n\r\n\r\n2", "\xC3\x87zz"},
                           {"0001 ab1\r\n0002 cd 9/:\r\n", "0001\r\n10002\r\n\r\n9", "ab\r\ncd"},
                           {"0003 OK\r\n0007 cat\r\n", "0003\r\n0007\r\n", "\r\ncat"},
                           {"0003 OK\r\n", "0003\r\n", ""},
                           {"", "", ""}};
  for (const auto& [box, numbers, words] : rows) {
    EXPECT_EQ(exportWalk(box, ExportKind::Numbers), numbers) << box;
    EXPECT_EQ(dropLastLineEnd(exportWalk(box, ExportKind::Words)), words) << box;
  }
}

}  // namespace
}  // namespace quorvel
