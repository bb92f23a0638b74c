#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <chrono>

#include "platform/WindowDesign.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtUnits.h"

namespace quorvel {

QtPlatform::QtPlatform()
    : window_(std::make_unique<QtWindow>([this](QCloseEvent* event) { closeRequested(event); })),
      contents_(*window_),
      input_(*window_, run_),
      geometry_(*window_->main()) {
  markWidgetCopiesSecret(window_->main());
}

QtPlatform::~QtPlatform() {
  window_.reset();
}

int QtPlatform::run() {
  if (run_.events != nullptr && !run_.ended) run_.events->formLoad();
  if (run_.ended) return exitStatus_;

  QMainWindow* main = window_->main();
  geometry_.centre();
  main->show();
  // The frame is known only once shown (where the window system tells it at once).
  geometry_.centre();
  main->raise();
  main->activateWindow();
  if (window_->text1()->isEnabled()) window_->text1()->setFocus(Qt::ActiveWindowFocusReason);

  inEventLoop_ = true;
  const int status = QApplication::exec();
  inEventLoop_ = false;
  return run_.ended ? exitStatus_ : status;
}

void QtPlatform::closeRequested(QCloseEvent* event) {
  if (run_.ended) {
    event->accept();
    return;
  }
  event->ignore();
  if (run_.closing || !run_.inputEnabled) return;
  if (run_.events == nullptr) {
    event->accept();
    return;
  }
  run_.closing = true;
  geometry_.releaseSizeLimits();
  run_.events->formUnload();
  // Closing is never cancelled: should the handler return without ending, end here.
  if (!run_.ended) endProgram(0);
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
  if (run_.ended) return;
  run_.ended = true;
  exitStatus_ = status;
  window_->main()->close();
  // Outside the event loop (the load handler) run() returns the status itself; telling a
  // loop that has not started to quit would only stop the next one.
  if (inEventLoop_) QCoreApplication::exit(status);
}

float QtPlatform::listWidth(Control list) {
  return static_cast<float>(design::control(list).width);
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
