#include "wordlist/WordFile.h"

#include "wordlist/Utf8.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <system_error>
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

}  // namespace

Result<WordItems> readWordItems(std::string fileBytes) {
  // A Windows-1252 text can take three bytes per byte, and its places must fit 32 bits too.
  if (fileBytes.size() > std::numeric_limits<std::uint32_t>::max() / 3) {
    return Error(std::errc::file_too_large, "File too large");
  }
  WordItems items(std::move(fileBytes));
  // A byte-order mark belongs to the file, not to its first word; left in, that word could
  // never be typed. Only a UTF-8 file has one, which is known only at the end: a file that
  // turns out not to be UTF-8 is read again from its first byte.
  const bool mark = std::string_view(items.file_).starts_with(kByteOrderMark);
  bool utf8 = true;
  bool fits = items.parse(mark ? kByteOrderMark.size() : 0, utf8);
  if (mark && !utf8) {
    items.spans_.clear();
    fits = items.parse(0, utf8);
  }
  if (!fits) {
    return Error(std::errc::value_too_large,
                 "More than " + std::to_string(kMostItems) + " words in one list");
  }
  if (utf8) return items;
  items.texts_.reserve(items.spans_.size());
  for (const WordItems::Span span : items.spans_) {
    const auto offset = static_cast<std::uint32_t>(items.decoded_.size());
    appendWindows1252(items.decoded_, WordItems::view(items.file_, span));
    items.texts_.push_back({offset, static_cast<std::uint32_t>(items.decoded_.size() - offset)});
  }
  return items;
}

// Blank lines (and a comma right before a line end) give empty items rather than being
// skipped: a private file repeats every item on a line of its own, so an empty item must read
// back as one, or the copy would lose an entry and every number after it would shift.
// Leading blanks are skipped, but an unquoted item runs to its comma or line end, trailing
// blanks included: a word is taken exactly as written, and quotes keep leading blanks too.
// An opening quote that never closes ends at the line end: no item ever spans lines.
bool WordItems::parse(std::size_t from, bool& utf8) {
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
    if (spans_.size() == kMostItems) return false;
    spans_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start)});
  }
  return true;
}

}  // namespace quorvel
