// The Latin letters beyond ASCII that the entry box takes and the lookup reads without their
// accents. The table itself is generated from the Unicode data by tools/gen_fold_table.py.
#pragma once

#include <span>

namespace quorvel {

struct LatinLetter {
  char16_t code;
  char16_t base;   // the letter without its accents; the letter itself when it has none
  char16_t lower;  // its lowercase (itself when lowercase), or 0 when that is several letters
};

// Sorted by code.
std::span<const LatinLetter> latinLetters();

}  // namespace quorvel
