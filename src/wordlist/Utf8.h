// UTF-8: checking it, writing it, its byte-order mark, and Windows-1252 turned into it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the well-formed UTF-8 sequence that starts at `pos` with a byte of 0x80 or
// more, or 0 when it is malformed (overlong, surrogate, past U+10FFFF, cut short).
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t pos);

// True when the whole input is well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

// Appends the UTF-8 encoding of `code`.
void appendUtf8(std::string& out, char32_t code);

// Appends Windows-1252 `bytes` as UTF-8 (the five unassigned bytes become the C1 controls
// U+0081 etc., so that no byte is lost).
void appendWindows1252(std::string& out, std::string_view bytes);

}  // namespace quorvel
