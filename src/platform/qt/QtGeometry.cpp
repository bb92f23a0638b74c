#include "platform/qt/QtGeometry.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QThread>
#include <cmath>

#include "platform/qt/QtUnits.h"

namespace quorvel {

namespace {

// How long a window change may take to come back from the window system.
constexpr qint64 kConfirmMilliseconds = 40;

QScreen* screenOf(const QMainWindow& window) {
  QScreen* screen = window.screen();
  return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

bool applied(Edge edge, const QRect& now, const QRect& wanted) {
  switch (edge) {
    case Edge::Top:
      return now.top() == wanted.top();
    case Edge::Left:
      return now.left() == wanted.left();
    case Edge::Width:
      return now.width() == wanted.width();
    case Edge::Height:
      return now.height() == wanted.height();
  }
  return false;
}

}  // namespace

void QtGeometry::centre() {
  QScreen* screen = screenOf(window_);
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QSize size = window_.frameGeometry().size();
  window_.move(area.x() + (area.width() - size.width()) / 2,
               area.y() + (area.height() - size.height()) / 2);
}

void QtGeometry::releaseSizeLimits() {
  if (QWidget* central = window_.centralWidget()) {
    central->setMinimumSize(0, 0);
    central->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  window_.setMinimumSize(1, 1);
  window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

std::optional<float> QtGeometry::windowEdge(Edge edge) const {
  const QRect frame = window_.frameGeometry();
  switch (edge) {
    case Edge::Top:
      return twips(frame.y());
    case Edge::Left:
      return twips(frame.x());
    case Edge::Width:
      return twips(frame.width());
    case Edge::Height:
      return twips(frame.height());
  }
  return twips(0);
}

bool QtGeometry::setWindowEdge(Edge edge, float value) {
  if (!std::isfinite(value) || std::fabs(value) > 1.0e8f) return false;
  // Wayland clients cannot place their own windows.
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return false;
  if (window_.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
    return false;
  }
  const int wantedPixels = pixels(value);
  const QRect frame = window_.frameGeometry();
  const QRect inner = window_.geometry();
  const int frameWidth = frame.width() - inner.width();
  const int frameHeight = frame.height() - inner.height();
  QRect wanted = frame;
  switch (edge) {
    case Edge::Top:
      wanted.moveTop(wantedPixels);
      break;
    case Edge::Left:
      wanted.moveLeft(wantedPixels);
      break;
    case Edge::Width:
      if (wantedPixels <= 0 || wantedPixels - frameWidth < window_.minimumWidth() ||
          wantedPixels - frameWidth > window_.maximumWidth() ||
          (wantedPixels < frame.width() && frame.width() <= narrowest_)) {
        return false;
      }
      wanted.setWidth(wantedPixels);
      break;
    case Edge::Height:
      if (wantedPixels <= 0 || wantedPixels - frameHeight < window_.minimumHeight() ||
          wantedPixels - frameHeight > window_.maximumHeight() ||
          (wantedPixels < frame.height() && frame.height() <= lowest_)) {
        return false;
      }
      wanted.setHeight(wantedPixels);
      break;
  }
  if (wanted == frame) return true;

  if (edge == Edge::Top || edge == Edge::Left) {
    window_.move(wanted.topLeft());
  } else {
    window_.resize(wanted.width() - frameWidth, wanted.height() - frameHeight);
  }
  if (!window_.isVisible()) return true;

  // Hand the change to the window system and wait until it reports it back, so each step is
  // seen and the next read finds it. Only the user's keys and clicks are held back: no
  // handler may run meanwhile.
  QElapsedTimer waited;
  waited.start();
  while (true) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (applied(edge, window_.frameGeometry(), wanted)) return true;
    if (waited.elapsed() >= kConfirmMilliseconds) break;
    QThread::yieldCurrentThread();
  }
  // The window system kept its own value. A size it will not shrink below is remembered, so
  // later steps are refused at once instead of waiting again.
  const QRect now = window_.frameGeometry();
  if (edge == Edge::Width && wanted.width() < frame.width() && now.width() >= frame.width()) {
    narrowest_ = now.width();
  }
  if (edge == Edge::Height && wanted.height() < frame.height() && now.height() >= frame.height()) {
    lowest_ = now.height();
  }
  return now != frame;
}

std::optional<float> QtGeometry::screenWidth() const {
  QScreen* screen = screenOf(window_);
  if (screen == nullptr) return std::nullopt;
  return twips(screen->geometry().width());
}

}  // namespace quorvel
