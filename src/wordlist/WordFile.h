// Word files: bytes in, items out, by the reading rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Result.h"

namespace quorvel {

// The most items a word list may hold. Every real list is far shorter; the bound keeps the
// work of a load, a private list or a lookup within seconds and the memory within bounds for
// any file the size limit lets through.
inline constexpr std::size_t kMostItems = std::size_t{1} << 20;

// One item of a word file. `bytes` is exactly what the file holds for it (what a private
// file must repeat); `text` is the same item decoded to UTF-8 for display and lookup. Both
// point into the WordItems they came from.
struct WordItem {
  std::string_view bytes;
  std::string_view text;
};

// The items of one word file. The file's bytes are kept once and each item is a place in
// them; only a Windows-1252 file also keeps its items' decoded text.
class WordItems {
 public:
  WordItems() = default;
  // Moving keeps every view into the items valid: the bytes themselves do not move.
  WordItems(WordItems&&) noexcept = default;
  WordItems& operator=(WordItems&&) noexcept = default;
  WordItems(const WordItems&) = delete;
  WordItems& operator=(const WordItems&) = delete;

  std::size_t size() const { return spans_.size(); }
  bool empty() const { return spans_.empty(); }
  std::string_view bytes(std::size_t index) const { return view(file_, spans_[index]); }
  std::string_view text(std::size_t index) const {
    return texts_.empty() ? bytes(index) : view(decoded_, texts_[index]);
  }
  WordItem operator[](std::size_t index) const { return {bytes(index), text(index)}; }

  class Iterator {
   public:
    Iterator(const WordItems& items, std::size_t index) : items_(&items), index_(index) {}
    WordItem operator*() const { return (*items_)[index_]; }
    Iterator& operator++() {
      ++index_;
      return *this;
    }
    bool operator==(const Iterator& other) const = default;

   private:
    const WordItems* items_;
    std::size_t index_;
  };
  Iterator begin() const { return {*this, 0}; }
  Iterator end() const { return {*this, size()}; }

 private:
  friend Result<WordItems> readWordItems(std::string fileBytes);
  explicit WordItems(std::string fileBytes) : file_(std::move(fileBytes)) {}

  // 32 bits each: a word file is far below 4 GiB, and a million items then cost 8 MB.
  struct Span {
    std::uint32_t offset;
    std::uint32_t size;
  };
  static std::string_view view(const std::string& in, Span span) {
    return {in.data() + span.offset, span.size};
  }
  // False once the items would pass kMostItems.
  bool parse(std::size_t from, bool& utf8);

  std::string file_;
  std::vector<Span> spans_;  // into file_
  std::string decoded_;      // Windows-1252 files only: the items' text, one after another
  std::vector<Span> texts_;  // into decoded_, one per item, for Windows-1252 files only
};

// Reads a word file's bytes item by item, in one pass: leading blanks skipped; an item ends
// at a comma or at its line end (CR LF, lone LF or lone CR), which is consumed with it; an
// item that begins with a double quote runs to the closing quote and is taken without the
// quotes. A line end after the last item yields no further item. Texts are decoded as UTF-8
// when the whole input is valid UTF-8, otherwise as Windows-1252. Fails for more than
// kMostItems items, or bytes too many to place in 32 bits.
Result<WordItems> readWordItems(std::string fileBytes);

}  // namespace quorvel
