#include "platform/win32/Win32KeyCode.h"

namespace quorvel {

std::optional<int> TypedCharacters::feed(wchar_t unit) {
  const wchar_t high = high_;
  high_ = 0;
  if (unit >= 0xD800 && unit < 0xDC00) {
    high_ = unit;
    return std::nullopt;
  }
  if (unit >= 0xDC00 && unit < 0xE000 && high != 0) {
    return 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00);
  }
  if (unit == 0 || (unit >= 28 && unit <= 31)) return std::nullopt;
  return static_cast<int>(unit);
}

}  // namespace quorvel
