// The rows of a list box, for a virtual list view: items the list owns and rows it only
// refers to, in the order they were appended. A view asks for a row only as it draws it (and
// a screen reader as it reads it), so a list of a million words costs no string per row.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace quorvel {

class ListStore {
 public:
  // A row longer than this many characters is drawn cut short, ending in an ellipsis: no list
  // is wide enough to show more, and laying out a line of millions of characters would stall
  // the window.
  static constexpr std::size_t kLongestShownRow = 1000;

  void clear();
  void append(std::vector<std::string> items);
  void append(const ListRows& rows);
  std::size_t count() const { return count_; }
  // The whole text of a row, however long; nothing past the end.
  std::string item(std::size_t index) const;
  // The row as drawn, in UTF-8; nothing past the end.
  std::string shown(std::size_t index) const;

 private:
  class OwnedRows : public ListRows {
   public:
    std::size_t rowCount() const override { return items.size(); }
    ListRow row(std::size_t index) const override { return {{}, items[index]}; }
    std::vector<std::string> items;
  };
  // A run of rows from one source; `first` is the list's index of its first row.
  struct Block {
    const ListRows* rows;
    std::size_t first;
  };

  ListRow rowAt(std::size_t index) const;

  std::vector<Block> blocks_;
  std::vector<std::unique_ptr<OwnedRows>> owned_;
  std::size_t count_ = 0;
};

}  // namespace quorvel
