#include "wordlist/WordFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <utility>

namespace quorvel {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
  return c == '\r' || c == '\n';
}
bool endsItem(char c) {
  return c == ',' || isLineEnd(c);
}
bool endsQuote(char c) {
  return c == '"' || isLineEnd(c);
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the well-formed UTF-8 sequence that starts at `pos` with a byte of 0x80 or
// more, or 0 when it is malformed (overlong, surrogate, past U+10FFFF, cut short).
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t pos) {
  const auto b0 = static_cast<unsigned char>(bytes[pos]);
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
    return 0;
  }
  if (bytes.size() - pos < length) return 0;
  const auto b1 = static_cast<unsigned char>(bytes[pos + 1]);
  if (b1 < low || b1 > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    const auto b = static_cast<unsigned char>(bytes[pos + k]);
    if (b < 0x80 || b > 0xBF) return 0;
  }
  return length;
}

// Moves from `pos` to the first byte that `stops` (always an ASCII byte), checking on the
// way that the bytes it passes are UTF-8. A multi-byte sequence holds no ASCII byte, so it
// is passed whole; after the first malformed one the rest is only passed.
template <typename Stop>
std::size_t scanTo(std::string_view in, std::size_t pos, Stop stops, bool& utf8) {
  while (pos < in.size()) {
    const char c = in[pos];
    if (static_cast<unsigned char>(c) < 0x80) {
      if (stops(c)) break;
      ++pos;
      continue;
    }
    const std::size_t length = utf8 ? utf8SequenceLength(in, pos) : 0;
    if (length == 0) {
      utf8 = false;
      ++pos;
    } else {
      pos += length;
    }
  }
  return pos;
}

// Consumes the terminator an item stops at: a comma, one line end (CR LF counts as one), or
// nothing at the end.
std::size_t skipTerminator(std::string_view in, std::size_t pos) {
  if (pos >= in.size()) return pos;
  if (in[pos] == ',') return pos + 1;
  if (in[pos] == '\r') {
    ++pos;
    if (pos < in.size() && in[pos] == '\n') ++pos;
  } else if (in[pos] == '\n') {
    ++pos;
  }
  return pos;
}

void appendWindows1252(std::string_view bytes, std::string& out) {
  // 0x80..0x9F; the unassigned 0x81, 0x8D, 0x8F, 0x90 and 0x9D stay the C1 controls so that
  // no byte is lost.
  static constexpr std::array<char16_t, 32> kHigh{
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
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
}

}  // namespace

WordItems::WordItems(std::string fileBytes) : file_(std::move(fileBytes)) {
  // A Windows-1252 text can take three bytes per byte, and its places must fit 32 bits too.
  if (file_.size() > std::numeric_limits<std::uint32_t>::max() / 3) {
    throw std::length_error("word file too large");
  }
  // A byte-order mark belongs to the file, not to its first word; left in, that word could
  // never be typed. Only a UTF-8 file has one, which is known only at the end: a file that
  // turns out not to be UTF-8 is read again from its first byte.
  const bool mark = std::string_view(file_).starts_with(kByteOrderMark);
  bool utf8 = true;
  parse(mark ? kByteOrderMark.size() : 0, utf8);
  if (mark && !utf8) {
    spans_.clear();
    parse(0, utf8);
  }
  if (utf8) return;
  texts_.reserve(spans_.size());
  for (const Span span : spans_) {
    const auto offset = static_cast<std::uint32_t>(decoded_.size());
    appendWindows1252(view(file_, span), decoded_);
    texts_.push_back({offset, static_cast<std::uint32_t>(decoded_.size() - offset)});
  }
}

// Blank lines (and a comma right before a line end) give empty items rather than being
// skipped: a private file repeats every item on a line of its own, so an empty item must read
// back as one, or the copy would lose an entry and every number after it would shift.
// Leading blanks are skipped, but an unquoted item runs to its comma or line end, trailing
// blanks included: a word is taken exactly as written, and quotes keep leading blanks too.
// An opening quote that never closes ends at the line end: no item ever spans lines.
void WordItems::parse(std::size_t from, bool& utf8) {
  const std::string_view in = file_;
  std::size_t pos = from;
  while (pos < in.size()) {
    while (pos < in.size() && isBlank(in[pos])) ++pos;
    // Blanks with nothing after them are the end of the file, not an item.
    if (pos >= in.size()) break;

    std::size_t start, end;
    if (in[pos] == '"') {
      start = pos + 1;
      end = scanTo(in, start, endsQuote, utf8);
      pos = end;
      if (pos < in.size() && in[pos] == '"') pos = scanTo(in, pos + 1, endsItem, utf8);
    } else {
      start = pos;
      pos = scanTo(in, pos, endsItem, utf8);
      end = pos;
    }
    pos = skipTerminator(in, pos);
    spans_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start)});
  }
}

bool isValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = utf8SequenceLength(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  appendWindows1252(bytes, out);
  return out;
}

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
