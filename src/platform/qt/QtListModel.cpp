#include "platform/qt/QtListModel.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

#include "platform/qt/QtUnits.h"

namespace quorvel {

namespace {

// The row's text, or its first characters and an ellipsis when it has more than `longest`.
// Only the bytes up to the cut are looked at, so a row of any length costs the same.
QString shownText(const ListRow& row, std::size_t longest) {
  const std::size_t total = row.head.size() + row.tail.size();
  // UTF-8 never has more characters than bytes.
  if (total > longest) {
    const auto at = [&row](std::size_t i) {
      return static_cast<unsigned char>(i < row.head.size() ? row.head[i]
                                                            : row.tail[i - row.head.size()]);
    };
    std::size_t characters = 0;
    std::size_t cut = 0;  // where the last shown character ends
    for (std::size_t i = 0; i < total; ++i) {
      if ((at(i) & 0xC0) == 0x80) continue;  // inside a character
      if (++characters == longest) cut = i;
      if (characters > longest) {
        std::string shown(row.head.substr(0, cut));
        if (cut > row.head.size()) shown.append(row.tail.substr(0, cut - row.head.size()));
        return qs(shown) + QChar(0x2026);
      }
    }
  }
  if (row.head.empty()) return qs(row.tail);
  // One conversion: the view asks again for every row it draws or measures.
  std::string whole;
  whole.reserve(total);
  whole.append(row.head).append(row.tail);
  return qs(whole);
}

}  // namespace

void QtListModel::clear() {
  beginResetModel();
  blocks_.clear();
  owned_.clear();
  count_ = 0;
  endResetModel();
}

void QtListModel::append(std::vector<std::string> items) {
  if (items.empty()) return;
  const std::size_t added = items.size();
  beginInsertRows({}, static_cast<int>(count_), static_cast<int>(count_ + added - 1));
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
  endInsertRows();
}

void QtListModel::append(const ListRows& rows) {
  const std::size_t added = rows.rowCount();
  if (added == 0) return;
  beginInsertRows({}, static_cast<int>(count_), static_cast<int>(count_ + added - 1));
  blocks_.push_back({&rows, count_});
  count_ += added;
  endInsertRows();
}

ListRow QtListModel::rowAt(std::size_t index) const {
  const auto block =
      std::prev(std::upper_bound(blocks_.begin(), blocks_.end(), index,
                                 [](std::size_t i, const Block& b) { return i < b.first; }));
  return block->rows->row(index - block->first);
}

std::string QtListModel::item(std::size_t index) const {
  if (index >= count_) return {};
  const ListRow row = rowAt(index);
  std::string text;
  text.reserve(row.head.size() + row.tail.size());
  text.append(row.head).append(row.tail);
  return text;
}

int QtListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(count_);
}

QVariant QtListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() < 0 ||
      static_cast<std::size_t>(index.row()) >= count_) {
    return {};
  }
  return shownText(rowAt(static_cast<std::size_t>(index.row())), kLongestShownRow);
}

}  // namespace quorvel
