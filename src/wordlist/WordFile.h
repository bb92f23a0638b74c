// Word files: bytes in, items out, and the numbered entries the window shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// One item of a word file. `bytes` is exactly what the file holds for it (what a private
// file must repeat); `text` is the same item decoded to UTF-8 for display and lookup.
struct WordItem {
  std::string bytes;
  std::string text;
};

// Reads a word file's bytes item by item: leading blanks skipped; an item ends at a comma
// or at its line end (CR LF, lone LF or lone CR), which is consumed with it; an item that
// begins with a double quote runs to the closing quote and is taken without the quotes.
// A line end after the last item yields no further item. Texts are decoded as UTF-8 when
// the whole input is valid UTF-8, otherwise as Windows-1252.
std::vector<WordItem> readWordItems(std::string_view fileBytes);

// True when the whole input is well-formed UTF-8 (no overlongs, surrogates or values past
// U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Windows-1252 bytes to UTF-8 (the five unassigned bytes map to the C1 controls U+0081 etc.).
std::string windows1252ToUtf8(std::string_view bytes);

// Position 9 gives "0009", 1000 gives "1000", 12345 gives "12345".
std::string numberText(std::int64_t position);

// numberText(position) + " " + word.
std::string listEntry(std::int64_t position, std::string_view word);

// The master list: entry 0 is a single space, entry k the k-th item.
std::vector<std::string> masterEntries(const std::vector<WordItem>& items);

}  // namespace quorvel
