// The copy box's count and the two exports built from it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

// 0 shows nothing; 1 to 9 show 01 to 09; from 10 on the plain digits.
std::string pickCountCaption(std::int64_t count);

enum class ExportKind {
  Numbers,  // a space ends a line; digits are kept
  Words,    // an LF ends a line; the grave accent, a to z and everything beyond ASCII are kept
};

// One walk over the copy box: the line-end character becomes CR LF, kept characters are
// copied, everything else (CR, ASCII capitals, digits in a word, blanks, ...) is dropped.
std::string exportWalk(std::string_view copyBox, ExportKind kind);

// The word export drops the CR LF that the last entry's line end produced. With nothing to
// drop (an empty copy box) it gives an empty text rather than failing.
std::string dropLastLineEnd(std::string staged);

}  // namespace quorvel
