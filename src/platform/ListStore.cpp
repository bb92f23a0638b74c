#include "platform/ListStore.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace quorvel {

void ListStore::clear() {
  blocks_.clear();
  owned_.clear();
  count_ = 0;
}

void ListStore::append(std::vector<std::string> items) {
  const std::size_t added = items.size();
  // Items appended one after another go into one block, so finding a row stays quick.
  if (blocks_.empty() || owned_.empty() || blocks_.back().rows != owned_.back().get()) {
    owned_.push_back(std::make_unique<OwnedRows>());
    blocks_.push_back({owned_.back().get(), count_});
  }
  auto& stored = owned_.back()->items;
  if (stored.empty()) {
    stored = std::move(items);
  } else {
    stored.insert(stored.end(), std::make_move_iterator(items.begin()),
                  std::make_move_iterator(items.end()));
  }
  count_ += added;
}

void ListStore::append(const ListRows& rows) {
  const std::size_t added = rows.rowCount();
  if (added == 0) return;
  blocks_.push_back({&rows, count_});
  count_ += added;
}

ListRow ListStore::rowAt(std::size_t index) const {
  const auto block =
      std::prev(std::upper_bound(blocks_.begin(), blocks_.end(), index,
                                 [](std::size_t i, const Block& b) { return i < b.first; }));
  return block->rows->row(index - block->first);
}

std::string ListStore::item(std::size_t index) const {
  if (index >= count_) return {};
  const ListRow row = rowAt(index);
  std::string text;
  text.reserve(row.head.size() + row.tail.size());
  text.append(row.head).append(row.tail);
  return text;
}

std::string ListStore::shown(std::size_t index) const {
  if (index >= count_) return {};
  const ListRow row = rowAt(index);
  const std::size_t total = row.head.size() + row.tail.size();
  // Only the bytes up to the cut are looked at, so a row of any length costs the same.
  // UTF-8 never has more characters than bytes.
  std::size_t end = total;
  if (total > kLongestShownRow) {
    const auto at = [&row](std::size_t i) {
      return static_cast<unsigned char>(i < row.head.size() ? row.head[i]
                                                            : row.tail[i - row.head.size()]);
    };
    std::size_t characters = 0;
    for (std::size_t i = 0; i < total; ++i) {
      if ((at(i) & 0xC0) == 0x80) continue;  // inside a character
      if (++characters > kLongestShownRow) {
        end = i;
        break;
      }
    }
  }
  std::string text;
  text.reserve(std::min(end, total) + 3);
  text.append(row.head.substr(0, std::min(end, row.head.size())));
  if (end > row.head.size()) text.append(row.tail.substr(0, end - row.head.size()));
  if (end < total) text.append("\u2026");
  return text;
}

}  // namespace quorvel
