#include "lookup/Lookup.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "lookup/Accents.h"

namespace quorvel {

int lowercaseKey(int code) {
  if (code >= 'A' && code <= 'Z') return code - 'A' + 'a';
  return code > 0x7F ? static_cast<int>(lowercaseLatin(static_cast<char32_t>(code))) : code;
}

int acceptedKey(int code, InputMode mode) {
  if (mode == InputMode::Numbers) return code >= '0' && code <= '9' ? code : 0;
  const bool latin = code > 0x7F && isLowercaseLatin(static_cast<char32_t>(code));
  return (code >= 'a' && code <= 'z') || latin ? code : 0;
}

std::vector<std::string> scanNumbers(const WordItems& words, std::string_view prefix) {
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
  const std::size_t inHead = std::min(kHead, prefix.size());
  const auto matches = [&](std::string_view word) {
    return head[0] == prefix.front() &&
           std::string_view(head, inHead) == prefix.substr(0, inHead) &&
           word.starts_with(prefix.substr(inHead));
  };
  // A match is put together as masterEntry would, from the head it was compared with and
  // its word, at once: a first digit lists a thousand entries. Room for every scanned entry
  // is made first, so none is moved, and a short entry is made whole from one buffer.
  found.reserve(last);
  for (std::size_t i = 1; i <= last; ++i) {
    countUp();
    const std::string_view word = words.text(i - 1);
    if (!matches(word)) continue;
    char entry[16];
    if (word.size() <= sizeof(entry) - kHead) {
      std::memcpy(entry, head, kHead);
      std::memcpy(entry + kHead, word.data(), word.size());
      found.emplace_back(entry, kHead + word.size());
    } else {
      found.emplace_back(head, kHead).append(word);
    }
  }
  return found;
}

}  // namespace quorvel
