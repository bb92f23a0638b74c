// What loading a private list tells the user, from the facts gathered about it.
#include "wordlist/PrivateCheck.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(PrivateCheck, ItemsAreComparedAsBagsAndInOrder) {
  using V = std::vector<std::string_view>;
  const std::tuple<V, V, std::size_t, std::size_t, bool> rows[] = {
      // private, public, missing, extra, public order
      {{"b", "a"}, {"a", "b"}, 0, 0, false},
      {{"a", "b"}, {"a", "b"}, 0, 0, true},
      {{"a"}, {"a", "b"}, 1, 0, false},
      {{"a", "b", "c"}, {"a", "b"}, 0, 1, false},
      {{"a", "a"}, {"a", "b"}, 1, 1, false},
      {{"b", "b"}, {"b", "b", "b"}, 1, 0, false},
      {{}, {}, 0, 0, false},
      {{"a"}, {"a"}, 0, 0, false}};  // no other order
  for (const auto& [mine, theirs, missing, extra, inOrder] : rows) {
    const ItemComparison got = compareItems(mine, theirs);
    EXPECT_EQ(std::tie(got.missing, got.extra, got.publicOrder), std::tie(missing, extra, inOrder));
  }
}

TEST(PrivateCheck, EveryFindingShowsInOneWarningAndNothingIsSaidWithoutOne) {
  const ItemComparison same{}, inOrder{0, 0, true}, differs{2, 1, false};
  const Ownership mine{0400, false, "me"};
  const auto own = [](unsigned mode, bool ownersGroup) {
    return Ownership{mode, false, "me", ownersGroup};
  };
  const Error unreadable(std::errc::no_such_file_or_directory, "No such file or directory");
  const std::tuple<Result<ItemComparison>, Result<Ownership>, Result<Ownership>,
                   std::vector<std::string>>
      rows[] = {
          {same, mine, Ownership{0700, false, "me"}, {}},
          {same, own(0440, true), own(0770, true), {}},  // a group of the owner's alone
          {same, own(0440, false), mine, {"read it, and with it turn your numbers back into"}},
          {same,
           own(0404, true),
           mine,
           {"other users can read it", "chmod 400 '/q/PriEnglish.txt'"}},
          {same, mine, own(0770, false), {"Permissions 0770 for the folder /q "}},
          {same, mine, Ownership{01777, false, "root"}, {}},  // others add, but cannot replace
          {same, unreadable, unreadable, {}},                 // unexamined: no finding
          {differs, mine, mine, {": 2 missing, 1 extra."}},
          {inOrder, mine, mine, {"PubEnglish.txt in their public order"}},
          {unreadable, mine, mine, {"PubEnglish.txt could not be read (No such file"}},
          {same, Ownership{0620, false, "me"}, mine, {"Permissions 0620 for this file"}},
          {same, Ownership{0402, false, "me"}, mine, {"Permissions 0402 for this file"}},
          {same, Ownership{0400, true, "nobody"}, mine, {"another user (nobody)"}},
          {same, mine, Ownership{0707, false, "me"}, {"Permissions 0707 for the folder /q "}},
          {inOrder, Ownership{0666, false, "me"}, mine, {"order", "Permissions 0666 for this"}}};
  for (const auto& [items, file, folder, said] : rows) {
    const std::string warning =
        privateListWarning({"/q/PriEnglish.txt", "PubEnglish.txt", items, file, "/q", folder});
    EXPECT_EQ(warning.empty(), said.empty()) << warning;
    EXPECT_TRUE(said.empty() || (warning.starts_with("/q/PriEnglish.txt\n\n") &&
                                 warning.ends_with("\n\nThe list is loaded all the same.")));
    for (const auto& part : said) EXPECT_NE(warning.find(part), std::string::npos) << part;
  }
}

}  // namespace
}  // namespace quorvel
