// The entries the window shows: a word's number text, a space, the word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "wordlist/WordFile.h"

namespace quorvel {

// Position 9 gives "0009", 1000 gives "1000", 12345 gives "12345".
std::string numberText(std::int64_t position);

// numberText(position) + " " + word.
std::string listEntry(std::int64_t position, std::string_view word);

// Entry `index` of the master list over `items`: entry 0 is a single space, entry k the
// list entry of the k-th item. Built when asked, so the list holds each word only once.
std::string masterEntry(const WordItems& items, std::size_t index);

}  // namespace quorvel
