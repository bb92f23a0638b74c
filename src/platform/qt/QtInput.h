// What the user does in the window, routed to the window's handlers: typed characters in the
// entry box (key presses and input-method text alike), clicks on the buttons, the copy box
// and the candidates, a selection in the candidates, and menu items. While input is off, or
// once the program ends or starts closing, nothing the user does starts a handler.
#pragma once

#include <QObject>
#include <QPointer>

#include "platform/Platform.h"

class QEvent;
class QKeyEvent;
class QWidget;

namespace quorvel {

class QtWindow;

// Where the program stands, as far as its handlers are concerned.
struct QtRunState {
  WindowEvents* events = nullptr;
  bool ended = false;
  bool closing = false;  // the unload handler has started
  bool inputEnabled = true;

  bool handlersLive() const { return events != nullptr && !ended && inputEnabled && !closing; }
};

class QtInput : public QObject {
 public:
  // Wires the window's controls and menus; both arguments outlive this.
  QtInput(QtWindow& window, QtRunState& state);

  void setEnabled(bool enabled);
  // While input is off, the focus goes there when input is back on.
  void setFocus(QWidget* widget);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool entryKey(QEvent* event);
  bool typeCharacter(int typed, const QKeyEvent* key);
  void composedText(const QString& committed);
  bool mouseButton(QObject* watched, QEvent* event);
  void listSelectionChanged();
  void restoreFocus();

  QtWindow& window_;
  QtRunState& state_;
  QPointer<QWidget> focusBeforeDisable_;
};

}  // namespace quorvel
