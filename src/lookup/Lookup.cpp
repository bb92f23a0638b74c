#include "lookup/Lookup.h"

#include <algorithm>
#include <cstdint>

#include "lookup/Accents.h"

namespace quorvel {

InputMode modeFromCaption(std::string_view caption) {
  return caption == kNumbersCaption ? InputMode::Numbers : InputMode::Words;
}

int lowercaseKey(int code) {
  if (code >= 'A' && code <= 'Z') return code - 'A' + 'a';
  return code > 0x7F ? static_cast<int>(lowercaseLatin(static_cast<char32_t>(code))) : code;
}

int acceptedKey(int code, InputMode mode) {
  if (mode == InputMode::Numbers) return code >= '0' && code <= '9' ? code : 0;
  const bool latin = code > 0x7F && isLowercaseLatin(static_cast<char32_t>(code));
  return (code >= 'a' && code <= 'z') || latin ? code : 0;
}

std::vector<std::string> scanEntries(const WordItems& words, std::string_view prefix,
                                     std::size_t start) {
  std::vector<std::string> found;
  // A rejected key ends the prefix with the character of code 0; it must list nothing even
  // when a word file smuggled a NUL byte into some word.
  if (prefix.empty() || prefix.find('\0') != std::string_view::npos) return found;
  const std::size_t last = std::min(words.size(), kLastScannedEntry);
  // Entries and prefix are UTF-8; comparing bytes equals comparing characters, because no
  // character's encoding is a prefix of another's. An entry is compared in place, as its
  // head (number text and space) followed by its word: the scanned entries all have
  // four-digit numbers, so the head is five bytes, counted up from one entry to the next.
  static_assert(kLastScannedEntry < 10000);
  char head[5] = {'0', '0', '0', '0', ' '};
  constexpr std::size_t kHead = sizeof(head);
  const auto countUp = [&head] {
    for (int digit = 3; digit >= 0 && ++head[digit] > '9'; --digit) head[digit] = '0';
  };
  // The first byte alone rules out most entries, so the full comparison runs only for those
  // that may match.
  const auto matches = [&](std::string_view word) {
    if (start + prefix.size() > kHead + word.size()) return false;
    if ((start < kHead ? head[start] : word[start - kHead]) != prefix.front()) return false;
    if (prefix.size() == 1) return true;
    if (start >= kHead) return word.substr(start - kHead).starts_with(prefix);
    const std::size_t inHead = std::min(kHead - start, prefix.size());
    return std::string_view(head + start, inHead) == prefix.substr(0, inHead) &&
           word.starts_with(prefix.substr(inHead));
  };
  // Matches are marked first, so the result is allocated once: a first digit lists a
  // thousand entries.
  std::vector<std::uint32_t> hits;
  hits.reserve(last);
  for (std::size_t i = 1; i <= last; ++i) {
    countUp();
    if (matches(words.text(i - 1))) hits.push_back(static_cast<std::uint32_t>(i));
  }
  // Each entry is put together as masterEntry would, without its general number formatting:
  // the number has four digits here, and a first digit lists a thousand entries.
  found.reserve(hits.size());
  for (const std::uint32_t i : hits) {
    const std::string_view word = words.text(i - 1);
    std::string& entry = found.emplace_back(kHead + word.size(), ' ');
    entry[0] = static_cast<char>('0' + i / 1000);
    entry[1] = static_cast<char>('0' + i / 100 % 10);
    entry[2] = static_cast<char>('0' + i / 10 % 10);
    entry[3] = static_cast<char>('0' + i % 10);
    word.copy(entry.data() + kHead, word.size());
  }
  return found;
}

}  // namespace quorvel
