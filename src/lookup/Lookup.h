// Prefix lookup: which keys the entry box accepts, and which entries a prefix lists.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "wordlist/WordFile.h"

namespace quorvel {

inline constexpr int kBackspace = 8;

// Only entries 1 to 2049 are ever examined: the lists are sized for 2048 words.
inline constexpr std::size_t kLastScannedEntry = 2049;

// What the entry box takes: the letters of a word, or the digits of a number.
enum class InputMode { Words, Numbers };

// A to Z become a to z, and a Latin capital with an accent its lowercase (É to é); every other
// code is left as it is (and so is rejected unless it is already a lowercase letter or a digit).
int lowercaseKey(int code);

// The code itself when the mode accepts it (in word input a-z and the lowercase Latin letters
// beyond ASCII, in number input 0-9), else 0.
int acceptedKey(int code, InputMode mode);

// The master entries (see masterEntry) among 1..2049 (or the last) that begin with `prefix`,
// in entry order: number input. Entry 0 is never examined. Word input compares the words
// without their accents instead (FoldedWords).
std::vector<std::string> scanNumbers(const WordItems& words, std::string_view prefix);

}  // namespace quorvel
