#include "platform/qt/QtInput.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/qt/KeyCode.h"
#include "platform/qt/QtWindow.h"

namespace quorvel {

QtInput::QtInput(QtWindow& window, QtRunState& state) : window_(window), state_(state) {
  QLineEdit* box = window_.entryBox();
  box->installEventFilter(this);
  // Text enters the box only as typed characters, each through the key handler: a paste would
  // put in what no key could, and leave the candidates of the text before it. Its context menu
  // could also paste, undo or cut behind the handler's back, so it has none, and takes no drop.
  box->setContextMenuPolicy(Qt::NoContextMenu);
  box->setAcceptDrops(false);
  window_.copyBox()->viewport()->installEventFilter(this);
  window_.candidates()->viewport()->installEventFilter(this);
  QObject::connect(window_.candidates()->selectionModel(), &QItemSelectionModel::selectionChanged,
                   this, [this] { listSelectionChanged(); });

  for (const auto& d : window_.design().controls) {
    if (d.kind != ControlKind::Button) continue;
    const Control id = d.id;
    QObject::connect(static_cast<QPushButton*>(window_.widget(id)), &QPushButton::clicked, this,
                     [this, id] {
                       if (state_.handlersLive()) state_.events->onClick(id);
                     });
  }
  for (const auto& [action, command] : window_.actions()) {
    QObject::connect(action, &QAction::triggered, this, [this, command = command] {
      if (state_.handlersLive()) state_.events->onMenu(command);
    });
  }
}

bool QtInput::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_.entryBox()) return mouseButton(watched, event);
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
    return entryKey(event);
  }
  if (event->type() == QEvent::InputMethod) {
    // A dead key or compose sequence (é from ´ and e) comes as committed text, not as a key
    // press; left to the box it would go in unfiltered and start no scan.
    composedText(static_cast<QInputMethodEvent*>(event)->commitString());
    return true;
  }
  // The middle button pastes the X selection.
  const bool mouse = event->type() == QEvent::MouseButtonPress ||
                     event->type() == QEvent::MouseButtonRelease ||
                     event->type() == QEvent::MouseButtonDblClick;
  return mouse && static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
}

bool QtInput::mouseButton(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseButtonDblClick) {
    return false;
  }
  QListView* candidates = window_.candidates();
  if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
    // Only the left button picks a candidate; the others would select one unasked.
    return watched == candidates->viewport();
  }
  if (type != QEvent::MouseButtonPress || !state_.handlersLive()) return false;
  if (watched == window_.copyBox()->viewport()) {
    // Selecting still works: the press goes on to the box after the handler.
    state_.events->onClick(Control::CopyBox);
  } else if (watched == candidates->viewport()) {
    // A press on the entry already selected changes no selection, yet it is a click.
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (const QModelIndex index = candidates->indexAt(at);
        index.isValid() && candidates->selectionModel()->isSelected(index)) {
      state_.events->onClick(Control::Candidates);
    }
  }
  return false;
}

bool QtInput::entryKey(QEvent* event) {
  auto* key = static_cast<QKeyEvent*>(event);
  const std::optional<int> typed = characterCode(key->key(), key->modifiers(), key->text());
  // Shift+Insert pastes, and is held back as Control+V is.
  if (!typed) return key->matches(QKeySequence::Paste);
  if (event->type() == QEvent::ShortcutOverride) {
    // Keep a typed character out of every shortcut: it must come back as a key press.
    event->accept();
    return true;
  }
  if (!state_.handlersLive()) return true;
  return typeCharacter(*typed, key);
}

void QtInput::composedText(const QString& committed) {
  for (const QChar c : committed) {
    if (!state_.handlersLive()) return;
    const int typed = c.unicode();
    // Whatever composes into a control character is no typing.
    if (typed >= 32 && typed != 127) typeCharacter(typed, nullptr);
  }
}

// Runs the key handler for one typed character and applies the code it leaves. False when the
// box may go on and handle `key` (null for composed text) itself.
bool QtInput::typeCharacter(int typed, const QKeyEvent* key) {
  int code = state_.events->onEntryKey(typed);
  if (state_.ended) return true;
  code &= 0xFFFF;
  if (code == 0) return true;

  QLineEdit* box = window_.entryBox();
  if (code < 32 || code == 127) {
    // A single-line box has no place for control characters. Letting the box see Control+V
    // or Control+X would edit it behind the filter's back, so only Backspace gets through.
    if (code != 8) return true;
    if (code == typed && key != nullptr) return false;
    box->backspace();
    return true;
  }
  const QString character(QChar(static_cast<char16_t>(code)));
  if (code == typed && key != nullptr && key->text() == character) return false;
  box->insert(character);
  return true;
}

void QtInput::listSelectionChanged() {
  if (!state_.handlersLive()) return;
  if (!window_.candidates()->selectionModel()->hasSelection()) return;
  state_.events->onClick(Control::Candidates);
}

void QtInput::setEnabled(bool enabled) {
  QMainWindow* main = window_.main();
  if (!enabled && state_.inputEnabled) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || focus->window() != main) focus = main->focusWidget();
    focusBeforeDisable_ = focus;
  }
  state_.inputEnabled = enabled;
  main->menuBar()->setEnabled(enabled);
  for (Control c : window_.design().tabOrder) window_.widget(c)->setEnabled(enabled);
  if (enabled) restoreFocus();
}

void QtInput::restoreFocus() {
  // Disabling moved the focus away; give it back to where it was, or to where the program
  // asked for it meanwhile.
  if (focusBeforeDisable_ != nullptr && focusBeforeDisable_->isEnabled()) {
    focusBeforeDisable_->setFocus(Qt::OtherFocusReason);
  }
  focusBeforeDisable_ = nullptr;
}

void QtInput::setFocus(QWidget* widget) {
  if (widget == nullptr) return;
  if (!state_.inputEnabled) {
    focusBeforeDisable_ = widget;
    return;
  }
  widget->setFocus(Qt::OtherFocusReason);
}

}  // namespace quorvel
