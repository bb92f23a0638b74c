#include "platform/qt/QtListView.h"

#include <QKeyEvent>
#include <QMetaObject>

#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtListModel.h"
#include "platform/qt/QtUnits.h"

namespace quorvel {

void QtListView::reset() {
  QListView::reset();
  layOutBeforePaint();
}

void QtListView::keyPressEvent(QKeyEvent* event) {
  const auto* rows = dynamic_cast<const QtListModel*>(model());
  if (rows == nullptr || event != QKeySequence::Copy) return QListView::keyPressEvent(event);
  if (currentIndex().isValid()) {
    setSecretClipboardText(qs(rows->item(static_cast<std::size_t>(currentIndex().row()))));
  }
  event->accept();
}

void QtListView::rowsInserted(const QModelIndex& parent, int start, int end) {
  QListView::rowsInserted(parent, start, end);
  // Laid out at once, so the scroll bar shown or hidden by it is settled before the window's
  // paint request is handled. The program appends a list's rows in one batch.
  if (isVisible()) executeDelayedItemsLayout();
}

void QtListView::layOutBeforePaint() {
  // A hidden list is laid out when it is shown; a clear and the fill after it share one
  // layout.
  if (!isVisible() || layoutPosted_) return;
  layoutPosted_ = true;
  // Posted events of normal priority are handled before the window's paint request, which
  // Qt posts at low priority.
  QMetaObject::invokeMethod(
      this,
      [this] {
        layoutPosted_ = false;
        executeDelayedItemsLayout();
      },
      Qt::QueuedConnection);
}

}  // namespace quorvel
