#include "wordlist/WordFile.h"

#include <array>
#include <cstddef>

namespace quorvel {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Consumes one line end at `pos` (CR LF counts as one).
std::size_t skipLineEnd(std::string_view in, std::size_t pos) {
  if (pos < in.size() && in[pos] == '\r') {
    ++pos;
    if (pos < in.size() && in[pos] == '\n') ++pos;
  } else if (pos < in.size() && in[pos] == '\n') {
    ++pos;
  }
  return pos;
}

// Consumes the terminator an item stops at: a comma, a line end, or nothing at the end.
std::size_t skipTerminator(std::string_view in, std::size_t pos) {
  if (pos >= in.size()) return pos;
  if (in[pos] == ',') return pos + 1;
  return skipLineEnd(in, pos);
}

std::size_t findTerminator(std::string_view in, std::size_t pos) {
  while (pos < in.size() && in[pos] != ',' && !isLineEnd(in[pos])) ++pos;
  return pos;
}

}  // namespace

// Blank lines (and a comma right before a line end) give empty items rather than being
// skipped: a private file repeats every item on a line of its own, so an empty item must read
// back as one, or the copy would lose an entry and every number after it would shift.
// Leading blanks are skipped, but an unquoted item runs to its comma or line end, trailing
// blanks included: a word is taken exactly as written, and quotes keep leading blanks too.
// An opening quote that never closes ends at the line end: no item ever spans lines.
std::vector<WordItem> readWordItems(std::string_view fileBytes) {
  const bool utf8 = isValidUtf8(fileBytes);
  std::string_view in = fileBytes;
  // A byte-order mark belongs to the file, not to its first word; left in, that word could
  // never be typed.
  if (utf8 && in.substr(0, 3) == "\xEF\xBB\xBF") in.remove_prefix(3);

  // Every item but the last ends at one of these bytes, so their count bounds the items and
  // the list never moves its words while it grows.
  std::size_t bound = 1;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const char c = in[i];
    bound += c == '\n' || c == ',' || (c == '\r' && (i + 1 == in.size() || in[i + 1] != '\n'));
  }
  std::vector<WordItem> items;
  items.reserve(bound);
  std::size_t pos = 0;
  while (pos < in.size()) {
    while (pos < in.size() && isBlank(in[pos])) ++pos;
    // Blanks with nothing after them are the end of the file, not an item.
    if (pos >= in.size()) break;

    std::string_view bytes;
    if (in[pos] == '"') {
      const std::size_t start = pos + 1;
      std::size_t end = start;
      while (end < in.size() && in[end] != '"' && !isLineEnd(in[end])) ++end;
      bytes = in.substr(start, end - start);
      pos = end;
      if (pos < in.size() && in[pos] == '"') pos = findTerminator(in, pos + 1);
    } else {
      const std::size_t start = pos;
      pos = findTerminator(in, pos);
      bytes = in.substr(start, pos - start);
    }
    pos = skipTerminator(in, pos);

    WordItem item;
    item.bytes.assign(bytes);
    item.text = utf8 ? item.bytes : windows1252ToUtf8(bytes);
    items.push_back(std::move(item));
  }
  return items;
}

bool isValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  const std::size_t n = bytes.size();
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
      ++i;
      continue;
    }
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      length = 3;
      if (b0 == 0xE0) low = 0xA0;   // overlong
      if (b0 == 0xED) high = 0x9F;  // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      length = 4;
      if (b0 == 0xF0) low = 0x90;   // overlong
      if (b0 == 0xF4) high = 0x8F;  // past U+10FFFF
    } else {
      return false;
    }
    if (n - i < length) return false;
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    if (b1 < low || b1 > high) return false;
    for (std::size_t k = 2; k < length; ++k) {
      const auto b = static_cast<unsigned char>(bytes[i + k]);
      if (b < 0x80 || b > 0xBF) return false;
    }
    i += length;
  }
  return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
  // 0x80..0x9F; the unassigned 0x81, 0x8D, 0x8F, 0x90 and 0x9D stay the C1 controls so that
  // no byte is lost.
  static constexpr std::array<char16_t, 32> kHigh{
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out.push_back(c);
      continue;
    }
    const char32_t cp = b < 0xA0 ? kHigh[b - 0x80] : b;
    if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::string numberText(std::int64_t position) {
  std::string digits = std::to_string(position);
  if (position < 10) return "000" + digits;
  if (position < 100) return "00" + digits;
  if (position < 1000) return "0" + digits;
  return digits;
}

std::string listEntry(std::int64_t position, std::string_view word) {
  std::string entry = numberText(position);
  entry.push_back(' ');
  entry.append(word);
  return entry;
}

std::vector<std::string> masterEntries(const std::vector<WordItem>& items) {
  std::vector<std::string> entries;
  entries.reserve(items.size() + 1);
  entries.emplace_back(" ");
  for (std::size_t k = 0; k < items.size(); ++k) {
    entries.push_back(listEntry(static_cast<std::int64_t>(k) + 1, items[k].text));
  }
  return entries;
}

}  // namespace quorvel
