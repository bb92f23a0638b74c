#include "picks/Picks.h"

namespace quorvel {

std::string pickCountCaption(std::int64_t count) {
  if (count <= 0) return {};
  std::string digits = std::to_string(count);
  return count < 10 ? "0" + digits : digits;
}

std::string exportWalk(std::string_view copyBox, ExportKind kind) {
  const char lineEnd = kind == ExportKind::Numbers ? ' ' : '\n';
  const unsigned char low = kind == ExportKind::Numbers ? '0' : '`';
  const unsigned char high = kind == ExportKind::Numbers ? '9' : 'z';
  // Words in other languages than English come out whole: a letter beyond ASCII is kept.
  const bool keepBeyondAscii = kind == ExportKind::Words;
  std::string staged;
  staged.reserve(copyBox.size());
  // Byte by byte: every byte of a UTF-8 multi-byte character is 0x80 or above, so it is
  // kept or dropped exactly as the character it belongs to.
  for (const char c : copyBox) {
    const auto code = static_cast<unsigned char>(c);
    if (c == lineEnd) {
      staged += "\r\n";
    } else if ((code >= low && code <= high) || (keepBeyondAscii && code >= 0x80)) {
      staged += c;
    }
  }
  return staged;
}

// In place: a copy box may hold tens of megabytes.
std::string dropLastLineEnd(std::string staged) {
  staged.resize(staged.size() < 2 ? 0 : staged.size() - 2);
  return staged;
}

}  // namespace quorvel
