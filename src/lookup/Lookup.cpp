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

std::vector<std::string> scanEntries(const std::vector<std::string>& entries,
                                     std::string_view prefix, std::size_t start) {
  std::vector<std::string> found;
  // A rejected key ends the prefix with the character of code 0; it must list nothing even
  // when a word file smuggled a NUL byte into some word.
  if (prefix.empty() || prefix.find('\0') != std::string_view::npos) return found;
  const std::size_t last = std::min(entries.size() - (entries.empty() ? 0 : 1), kLastScannedEntry);
  // Entries and prefix are UTF-8; comparing bytes equals comparing characters, because no
  // character's encoding is a prefix of another's. The first byte alone rules out most
  // entries, so the full comparison runs only for those that may match.
  const std::size_t need = start + prefix.size();
  const char first = prefix.front();
  const auto matches = [&](const std::string& entry) {
    return entry.size() >= need && entry[start] == first &&
           std::char_traits<char>::compare(entry.data() + start, prefix.data(), prefix.size()) == 0;
  };
  // Matches are marked first, so the result is allocated once: a first digit lists a
  // thousand entries.
  std::vector<std::uint32_t> hits;
  hits.reserve(last);
  for (std::size_t i = 1; i <= last; ++i) {
    if (matches(entries[i])) hits.push_back(static_cast<std::uint32_t>(i));
  }
  found.reserve(hits.size());
  for (const std::uint32_t i : hits) found.push_back(entries[i]);
  return found;
}

}  // namespace quorvel
