// The rows of a list box as a model for a QListView. A row becomes a QString only when the
// view asks for it, which it does for the rows it draws.
#pragma once

#include <QAbstractListModel>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/ListStore.h"
#include "platform/Platform.h"

namespace quorvel {

class QtListModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  void clear();
  void append(std::vector<std::string> items);
  void append(const ListRows& rows);
  std::size_t count() const { return store_.count(); }
  // The whole text of a row, however long.
  std::string item(std::size_t index) const { return store_.item(index); }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  // Tells the view which rows arrive, around adding them to the store.
  template <typename Rows>
  void appendCounted(std::size_t added, Rows&& rows);

  ListStore store_;
};

}  // namespace quorvel
