#include "platform/qt/QtListModel.h"

#include <utility>

#include "platform/qt/QtUnits.h"

namespace quorvel {

void QtListModel::clear() {
  beginResetModel();
  store_.clear();
  endResetModel();
}

template <typename Rows>
void QtListModel::appendCounted(std::size_t added, Rows&& rows) {
  if (added == 0) return;
  const auto first = static_cast<int>(store_.count());
  beginInsertRows({}, first, first + static_cast<int>(added) - 1);
  store_.append(std::forward<Rows>(rows));
  endInsertRows();
}

void QtListModel::append(std::vector<std::string> items) {
  appendCounted(items.size(), std::move(items));
}

void QtListModel::append(const ListRows& rows) {
  appendCounted(rows.rowCount(), rows);
}

int QtListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(store_.count());
}

QVariant QtListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() < 0 ||
      static_cast<std::size_t>(index.row()) >= store_.count()) {
    return {};
  }
  return qs(store_.shown(static_cast<std::size_t>(index.row())));
}

}  // namespace quorvel
