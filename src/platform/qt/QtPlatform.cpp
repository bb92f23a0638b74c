#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <chrono>

#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtUnits.h"

namespace quorvel {

QtPlatform::QtPlatform(const WindowDesign& design)
    : window_(std::make_unique<QtWindow>(design,
                                         [this](QCloseEvent* event) { closeRequested(event); })),
      contents_(*window_),
      input_(*window_, state_),
      geometry_(*window_->main()) {
  markWidgetCopiesSecret(window_->main());
}

QtPlatform::~QtPlatform() {
  window_.reset();
}

int QtPlatform::run() {
  if (state_.events != nullptr && !state_.ended) state_.events->onLoad();
  if (state_.ended) return exitStatus_;

  QMainWindow* main = window_->main();
  geometry_.centre();
  main->show();
  // The frame is known only once shown (where the window system tells it at once).
  geometry_.centre();
  main->raise();
  main->activateWindow();
  if (window_->entryBox()->isEnabled()) window_->entryBox()->setFocus(Qt::ActiveWindowFocusReason);

  inEventLoop_ = true;
  const int status = QApplication::exec();
  inEventLoop_ = false;
  return state_.ended ? exitStatus_ : status;
}

void QtPlatform::closeRequested(QCloseEvent* event) {
  // Once the program has ended, or with no handler to ask, the close goes ahead.
  const bool goesAhead = state_.ended || state_.events == nullptr;
  event->setAccepted(goesAhead);
  if (goesAhead || state_.closing || !state_.inputEnabled) return;
  state_.closing = true;
  geometry_.releaseSizeLimits();
  state_.events->onClose();
  // Closing is never cancelled: should the handler return without ending, end here.
  if (!state_.ended) endProgram(0);
  event->accept();
}

void QtPlatform::doEvents() {
  QCoreApplication::processEvents();
}

double QtPlatform::monotonicSeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void QtPlatform::endProgram(int status) {
  if (state_.ended) return;
  state_.ended = true;
  exitStatus_ = status;
  window_->main()->close();
  // Outside the event loop (the load handler) run() returns the status itself; telling a
  // loop that has not started to quit would only stop the next one.
  if (inEventLoop_) QCoreApplication::exit(status);
}

MessageAnswer QtPlatform::messageBox(std::string_view title, std::string_view text,
                                     MessageIcon icon, MessageButtons buttons) {
  QMainWindow* main = window_->main();
  return showMessageBox(main->isVisible() ? main : nullptr, title, text, icon, buttons);
}

void QtPlatform::clearClipboard() {
  quorvel::clearClipboard();
}

void QtPlatform::setClipboardText(std::string_view text) {
  setSecretClipboardText(qs(text));
}

}  // namespace quorvel
