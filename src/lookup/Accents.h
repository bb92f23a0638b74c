// Typing and finding words with accents: which letters beyond ASCII the entry box takes, and
// the accent-free forms that the word lookup compares, so that "ecole" and "école" both find
// "école" while a word without accents is found exactly as before.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A Latin capital beyond ASCII (É, Ñ, Ø) becomes its lowercase; every other code is unchanged.
char32_t lowercaseLatin(char32_t code);

// True for a lowercase Latin letter beyond ASCII: é, ñ, ř, and also ß, æ, œ, ø.
bool isLowercaseLatin(char32_t code);

// Appends UTF-8 `text` with its accents removed: a Latin letter with a diacritic becomes the
// letter its canonical decomposition starts with (é to e, É to E, ǿ to ø), and combining
// diacritical marks are left out. Everything else, case included, is copied as it is.
void appendWithoutAccents(std::string& out, std::string_view text);

// The accent-free forms of the words a lookup may list, in one block, so that a key press
// compares ready forms and builds nothing per word.
class FoldedWords {
 public:
  void clear();
  // The next word; the first one added is position 1.
  void add(std::string_view word);
  std::size_t size() const { return starts_.size() - 1; }

  // The positions of the words whose accent-free form begins with the accent-free `prefix`,
  // in order. A prefix holding the character of code 0 (a rejected key) finds nothing.
  std::vector<std::uint32_t> find(std::string_view prefix) const;

 private:
  std::string folded_;
  std::vector<std::uint32_t> starts_{0};  // word k runs from starts_[k-1] to starts_[k]
};

}  // namespace quorvel
