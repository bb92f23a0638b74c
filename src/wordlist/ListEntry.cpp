#include "wordlist/ListEntry.h"

#include <algorithm>
#include <charconv>

namespace quorvel {

namespace {

// The number text followed by `word`, built in place: every entry a lookup lists is put
// together on demand, so this runs for every candidate of every key.
std::string numbered(std::int64_t position, std::string_view separator, std::string_view word) {
  char digits[24];
  const auto length = static_cast<std::size_t>(
      std::to_chars(digits, digits + sizeof digits, position).ptr - digits);
  const std::size_t zeros = position < 10 ? 3 : position < 100 ? 2 : position < 1000 ? 1 : 0;
  std::string text(zeros + length + separator.size() + word.size(), '0');
  char* out = std::copy_n(digits, length, text.data() + zeros);
  out = std::copy(separator.begin(), separator.end(), out);
  std::copy(word.begin(), word.end(), out);
  return text;
}

}  // namespace

std::string numberText(std::int64_t position) {
  return numbered(position, {}, {});
}

std::string listEntry(std::int64_t position, std::string_view word) {
  return numbered(position, " ", word);
}

std::string masterEntry(const WordItems& items, std::size_t index) {
  if (index == 0) return " ";
  return listEntry(static_cast<std::int64_t>(index), items.text(index - 1));
}

}  // namespace quorvel
