#include "platform/qt/QtGeometry.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMoveEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <cmath>

#include "platform/qt/QtUnits.h"

namespace quorvel {

namespace {

// How long a window change is waited for before the next one is asked: the window system may
// reply later, or never (a refusal, which the closing movement tells from the top edge).
constexpr qint64 kConfirmMilliseconds = 50;

}  // namespace

// Keeps the window's place and size as the window system last reported them. A widget takes a
// requested geometry at once; only the window's own move and resize events carry the answer.
class QtGeometry::Watcher : public QObject {
 public:
  Watcher(QWindow& window, QRect now) : window_(&window), reported(now) {
    window_->installEventFilter(this);
  }
  ~Watcher() override {
    if (window_ != nullptr) window_->removeEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Move) {
      reported.moveTopLeft(static_cast<QMoveEvent*>(event)->pos());
    } else if (event->type() == QEvent::Resize) {
      reported.setSize(static_cast<QResizeEvent*>(event)->size());
    } else {
      return false;
    }
    ++answers;
    return false;
  }

  QPointer<QWindow> window_;  // the window may go first
  QRect reported;
  int answers = 0;
};

namespace {

QScreen* screenOf(const QMainWindow& window) {
  QScreen* screen = window.screen();
  return screen != nullptr ? screen : QGuiApplication::primaryScreen();
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

QtGeometry::QtGeometry(QMainWindow& window) : window_(window) {}
QtGeometry::~QtGeometry() = default;

QRect QtGeometry::frame() const {
  if (watcher_ == nullptr) return window_.frameGeometry();
  const QRect inner = window_.geometry(), outer = window_.frameGeometry();
  return watcher_->reported.adjusted(outer.left() - inner.left(), outer.top() - inner.top(),
                                     outer.right() - inner.right(),
                                     outer.bottom() - inner.bottom());
}

std::optional<float> QtGeometry::windowEdge(Edge edge) const {
  const QRect frame = this->frame();
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
  WindowEdges edges;
  edges[static_cast<std::size_t>(edge)] = value;
  return setWindowEdges(edges);
}

bool QtGeometry::setWindowEdges(const WindowEdges& edges) {
  if (window_.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
    return false;
  }
  // Wayland clients cannot place their own windows, only size them.
  const bool placeable = !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
  if (watcher_ == nullptr && window_.isVisible() && window_.windowHandle() != nullptr) {
    watcher_ = std::make_unique<Watcher>(*window_.windowHandle(), window_.geometry());
  }
  const QRect frame = this->frame();
  const QRect outer = window_.frameGeometry(), shown = window_.geometry();
  const QRect inner =
      frame.adjusted(shown.left() - outer.left(), shown.top() - outer.top(),
                     shown.right() - outer.right(), shown.bottom() - outer.bottom());
  const QSize margins = frame.size() - inner.size();
  QRect wanted = frame;
  bool refused = false;
  for (std::size_t e = 0; e < edges.size(); ++e) {
    if (!edges[e]) continue;
    const float twipsValue = *edges[e];
    const bool finite = std::isfinite(twipsValue) && std::fabs(twipsValue) <= 1.0e8f;
    const int value = finite ? pixels(twipsValue) : 0;
    const auto sizeFits = [value](int margin, int least, int most, int now, int floor) {
      return value > 0 && value - margin >= least && value - margin <= most &&
             !(value < now && now <= floor);
    };
    bool taken = finite;
    switch (static_cast<Edge>(e)) {
      case Edge::Top:
        if ((taken = taken && placeable)) wanted.moveTop(value);
        break;
      case Edge::Left:
        if ((taken = taken && placeable)) wanted.moveLeft(value);
        break;
      case Edge::Width:
        taken = taken && sizeFits(margins.width(), window_.minimumWidth(), window_.maximumWidth(),
                                  frame.width(), narrowest_);
        if (taken) wanted.setWidth(value);
        break;
      case Edge::Height:
        taken = taken && sizeFits(margins.height(), window_.minimumHeight(),
                                  window_.maximumHeight(), frame.height(), lowest_);
        if (taken) wanted.setHeight(value);
        break;
    }
    refused |= !taken;
  }
  if (wanted == frame) return !refused;
  const QRect wantedInner(wanted.topLeft() + (inner.topLeft() - frame.topLeft()),
                          wanted.size() - margins);
  window_.setGeometry(wantedInner);
  if (watcher_ == nullptr) return !refused;

  // Wait until the window system answers, with the change or with what it made of it (a window
  // manager may keep the window on the screen), so each step is seen and the next one starts
  // from where the window is. Only the user's keys and clicks are held back: no handler may
  // run meanwhile.
  const int answers = watcher_->answers;
  QElapsedTimer waited;
  waited.start();
  while (watcher_->answers == answers && waited.elapsed() < kConfirmMilliseconds) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::yieldCurrentThread();
  }
  const QRect now = watcher_->reported;
  // A size the window system will not shrink below is remembered, so later steps do not ask
  // for it and wait again.
  if (wantedInner.width() < inner.width() && now.width() >= inner.width())
    narrowest_ = frame.width();
  if (wantedInner.height() < inner.height() && now.height() >= inner.height()) {
    lowest_ = frame.height();
  }
  return !refused && now == wantedInner;
}

std::optional<float> QtGeometry::screenWidth() const {
  QScreen* screen = screenOf(window_);
  if (screen == nullptr) return std::nullopt;
  return twips(screen->geometry().width());
}

float QtGeometry::textWidth(std::string_view text) const {
  const QFontMetricsF metrics(window_.font());
  return static_cast<float>(metrics.horizontalAdvance(qs(text)) * design::kTwipsPerPixel);
}

}  // namespace quorvel
