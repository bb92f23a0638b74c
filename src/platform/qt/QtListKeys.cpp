#include "platform/qt/QtListKeys.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>

namespace quorvel {

namespace {

class FirstKeySelects : public QObject {
 public:
  explicit FirstKeySelects(QAbstractItemView* view) : QObject(view), view_(view) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != view_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    bool last = false;
    switch (key->key()) {
      case Qt::Key_Down:
      case Qt::Key_Up:
      case Qt::Key_Home:
      case Qt::Key_PageUp:
        break;
      case Qt::Key_End:
      case Qt::Key_PageDown:
        last = true;
        break;
      default:
        return false;
    }
    // The view has its model, and with it a selection model, from the start.
    QItemSelectionModel* selection = view_->selectionModel();
    const QAbstractItemModel* model = view_->model();
    if (selection->hasSelection()) return false;
    const int rows = model->rowCount(view_->rootIndex());
    if (rows == 0) return false;
    const QModelIndex row = model->index(last ? rows - 1 : 0, 0, view_->rootIndex());
    view_->scrollTo(row);
    // Last: a handler of the selection may empty the list, so nothing touches it afterwards.
    selection->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    return true;
  }

 private:
  QAbstractItemView* view_;
};

}  // namespace

void selectByFirstKey(QAbstractItemView* view) {
  view->installEventFilter(new FirstKeySelects(view));
}

}  // namespace quorvel
