// Characters typed into the entry box, as its WM_CHAR messages bring them: one UTF-16 unit
// each, so a character beyond the first plane comes in two halves.
#pragma once

#include <optional>

namespace quorvel {

class TypedCharacters {
 public:
  // The character `unit` completes: nothing for the first half of a surrogate pair, which
  // waits for the second, and nothing for the control characters that are no typing
  // (Control+\, Control+] and their kind; Control+2 makes a NUL).
  std::optional<int> feed(wchar_t unit);

 private:
  wchar_t high_ = 0;
};

}  // namespace quorvel
