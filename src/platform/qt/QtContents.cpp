#include "platform/qt/QtContents.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/qt/QtCopyBox.h"
#include "platform/qt/QtUnits.h"
#include "platform/qt/QtWindow.h"

namespace quorvel {

QtContents::QtContents(QtWindow& window) : window_(window) {
  for (const auto& d : window_.design().controls) stored(d.id) = std::string(d.text);
}

std::string QtContents::text(Control control) const {
  if (control == Control::EntryBox) return bytes(window_.entryBox()->text());
  return texts_[static_cast<std::size_t>(control)];
}

void QtContents::setText(Control control, std::string_view text) {
  if (control == Control::EntryBox) {
    window_.entryBox()->setText(qs(text));
    return;
  }
  stored(control) = std::string(text);
  QWidget* widget = window_.widget(control);
  if (control == Control::CopyBox) {
    showCopyBox();
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(qs(text));
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    button->setText(qs(text));
  }
}

void QtContents::appendText(Control control, std::string_view more) {
  if (control != Control::CopyBox) {
    setText(control, text(control) + std::string(more));
    return;
  }
  std::string& kept = stored(Control::CopyBox);
  // A CR LF split between two appends shows differently from a whole one: redraw it all.
  const bool splitLineEnd =
      !kept.empty() && kept.back() == '\r' && !more.empty() && more.front() == '\n';
  kept.append(more);
  if (splitLineEnd) {
    showCopyBox();
    return;
  }
  static_cast<QtCopyBox*>(window_.copyBox())->showAppended(kept, kept.size() - more.size());
  scrollCopyBoxToEnd();
}

void QtContents::scrollCopyBoxToEnd() {
  // The newest pick is at the end, so that is what the box shows.
  QPlainTextEdit* box = window_.copyBox();
  box->moveCursor(QTextCursor::End);
  box->ensureCursorVisible();
  box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
}

void QtContents::showCopyBox() {
  static_cast<QtCopyBox*>(window_.copyBox())->showKept(stored(Control::CopyBox));
  scrollCopyBoxToEnd();
}

void QtContents::setToolTip(Control control, std::string_view tip) {
  if (QWidget* widget = window_.widget(control)) {
    widget->setToolTip(qs(tip));
    widget->setAccessibleDescription(accessibleDescription(window_.design().control(control), tip));
  }
}

void QtContents::setVisible(Control control, bool visible) {
  if (QWidget* widget = window_.widget(control)) widget->setVisible(visible);
}

QItemSelectionModel* QtContents::selectionOf(Control list) const {
  const QListView* view = window_.listView(list);
  return view != nullptr ? view->selectionModel() : nullptr;
}

// The program's own changes to a list are not the user's selection: the selection model stays
// quiet while they happen, so they start no handler.

void QtContents::clearList(Control list) {
  if (QtListModel* rows = window_.rows(list)) {
    const QSignalBlocker quiet(selectionOf(list));
    rows->clear();
  }
}

void QtContents::appendItems(Control list, std::vector<std::string> items) {
  if (QtListModel* rows = window_.rows(list)) {
    const QSignalBlocker quiet(selectionOf(list));
    rows->append(std::move(items));
  }
}

void QtContents::appendRows(Control list, const ListRows& shown) {
  if (QtListModel* rows = window_.rows(list)) {
    const QSignalBlocker quiet(selectionOf(list));
    rows->append(shown);
  }
}

std::string QtContents::selectedText(Control list) const {
  const QItemSelectionModel* selection = selectionOf(list);
  if (selection == nullptr) return {};
  const QModelIndexList selected = selection->selectedIndexes();
  if (selected.isEmpty()) return {};
  const QtListModel* rows = window_.rows(list);
  return rows == nullptr ? std::string()
                         : rows->item(static_cast<std::size_t>(selected.front().row()));
}

}  // namespace quorvel
