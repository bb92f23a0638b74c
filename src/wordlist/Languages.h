// The languages and how their word files and lists are named. Everything else that lists the
// languages (the Language menu, the build's staging of the word files, the tests) reads this
// table.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quorvel {

inline constexpr std::array<std::string_view, 6> kLanguages{"Czech",   "English",    "French",
                                                            "Italian", "Portuguese", "Spanish"};

// "English" gives "PubEnglish.txt".
std::string publicFileName(std::string_view language);

// The list name shown over the master list: the file name less its last four characters.
std::string listName(std::string_view fileName);

// The private file for the list shown: "Pri" + the list name from its fourth character +
// ".txt", so PubEnglish and PriEnglish both give PriEnglish.txt.
std::string privateFileName(std::string_view shownListName);

}  // namespace quorvel
