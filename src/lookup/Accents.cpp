#include "lookup/Accents.h"

#include <algorithm>

#include "lookup/LatinLetters.h"
#include "wordlist/Utf8.h"

namespace quorvel {

namespace {

const LatinLetter* findLetter(char32_t code) {
  const auto letters = latinLetters();
  const auto it = std::lower_bound(letters.begin(), letters.end(), code,
                                   [](const LatinLetter& l, char32_t c) { return l.code < c; });
  return it != letters.end() && it->code == code ? &*it : nullptr;
}

}  // namespace

char32_t lowercaseLatin(char32_t code) {
  const LatinLetter* letter = findLetter(code);
  return letter != nullptr && letter->lower != 0 ? letter->lower : code;
}

bool isLowercaseLatin(char32_t code) {
  const LatinLetter* letter = findLetter(code);
  return letter != nullptr && letter->lower == code;
}

void appendWithoutAccents(std::string& out, std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    // The letters with accents and the combining accents all lie in U+00C0..U+1EFF, which
    // UTF-8 writes in two bytes, or in three that begin with 0xE1. Anything else is copied
    // byte by byte, as it is.
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = lead >= 0xC0 && lead < 0xE0 ? 2 : lead == 0xE1 ? 3 : 1;
    if (length == 1 || text.size() - pos < length) {
      out.push_back(text[pos++]);
      continue;
    }
    char32_t code = lead & (length == 2 ? 0x1F : 0x0F);
    for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (text[pos + i] & 0x3F);
    // A combining accent is left out: a word written decomposed reads like its precomposed twin.
    if (code < 0x300 || code > 0x36F) {
      if (const LatinLetter* letter = findLetter(code)) {
        appendUtf8(out, letter->base);
      } else {
        out.append(text.substr(pos, length));
      }
    }
    pos += length;
  }
}

void FoldedWords::clear() {
  folded_.clear();
  starts_.assign(1, 0);
}

void FoldedWords::add(std::string_view word) {
  appendWithoutAccents(folded_, word);
  starts_.push_back(static_cast<std::uint32_t>(folded_.size()));
}

std::vector<std::uint32_t> FoldedWords::find(std::string_view prefix) const {
  std::vector<std::uint32_t> hits;
  std::string key;
  appendWithoutAccents(key, prefix);
  // A rejected key ends the prefix with the character of code 0; it must list nothing even
  // when a word file smuggled a NUL byte into some word.
  if (key.empty() || key.find('\0') != std::string::npos) return hits;
  // Bytes compare like characters: no UTF-8 encoding is a prefix of another. The first byte
  // alone rules out most words, so the full comparison runs only for those that may match.
  const char first = key.front();
  const std::size_t count = size();
  hits.reserve(count);
  for (std::size_t k = 0; k < count; ++k) {
    const std::uint32_t start = starts_[k];
    if (starts_[k + 1] - start >= key.size() && folded_[start] == first &&
        folded_.compare(start, key.size(), key) == 0) {
      hits.push_back(static_cast<std::uint32_t>(k + 1));
    }
  }
  return hits;
}

}  // namespace quorvel
