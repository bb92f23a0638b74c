#include "platform/qt/QtGeometry.h"

#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMoveEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
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
  Watcher(QWindow& window, QRect now) : window(&window), reported(now) {
    window.installEventFilter(this);
  }
  ~Watcher() override {
    if (window != nullptr) window->removeEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Move) {
      reported.moveTopLeft(static_cast<QMoveEvent*>(event)->pos());
    } else if (event->type() == QEvent::Resize) {
      reported.setSize(static_cast<QResizeEvent*>(event)->size());
    } else {
      return false;
    }
    answered = true;
    if (waiting != nullptr) waiting->quit();
    return false;
  }

  QPointer<QWindow> window;  // it may go first
  QRect reported;
  bool answered = false;
  QEventLoop* waiting = nullptr;  // while a change is waited for
};

namespace {

// The frame's widths around the client area.
QMargins frameMargins(const QMainWindow& window) {
  const QRect outer = window.frameGeometry(), inner = window.geometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

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
  // An X server keeps a window's contents as it moves and shrinks, so nothing needs drawing
  // again and each step is answered sooner; Wayland shows only what is drawn.
  if (QGuiApplication::platformName() == QLatin1String("xcb")) window_.setUpdatesEnabled(false);
}

QtGeometry::QtGeometry(QMainWindow& window) : window_(window) {}
QtGeometry::~QtGeometry() = default;

QRect QtGeometry::frame() const {
  if (watcher_ == nullptr) return window_.frameGeometry();
  return watcher_->reported.marginsAdded(frameMargins(window_));
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
  // Wayland clients cannot place their own windows, only size them: a position set there would
  // only be Qt's own idea, which the closing movement must not take for a move.
  const bool placeable = !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
  if (watcher_ == nullptr && window_.isVisible() && window_.windowHandle() != nullptr) {
    watcher_ = std::make_unique<Watcher>(*window_.windowHandle(), window_.geometry());
  }
  const QMargins margins = frameMargins(window_);
  const QRect frame = this->frame();
  QRect wanted = frame;
  bool refused = false;
  for (std::size_t e = 0; e < edges.size(); ++e) {
    if (!edges[e]) continue;
    const float twipsValue = *edges[e];
    const bool finite = std::isfinite(twipsValue) && std::fabs(twipsValue) <= 1.0e8f;
    const int value = finite ? pixels(twipsValue) : 0;
    const auto sizeFits = [value](int frameSize, int least, int most) {
      return value > 0 && value - frameSize >= least && value - frameSize <= most;
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
        taken = taken && sizeFits(margins.left() + margins.right(), window_.minimumWidth(),
                                  window_.maximumWidth());
        if (taken) wanted.setWidth(value);
        break;
      case Edge::Height:
        taken = taken && sizeFits(margins.top() + margins.bottom(), window_.minimumHeight(),
                                  window_.maximumHeight());
        if (taken) wanted.setHeight(value);
        break;
    }
    refused |= !taken;
  }
  if (wanted == frame) return !refused;
  const QRect wantedInner = wanted.marginsRemoved(margins);
  if (watcher_ != nullptr) watcher_->answered = false;
  window_.setGeometry(wantedInner);
  if (watcher_ == nullptr) return !refused;

  // Wait until the window system answers, with the change or with what it made of it (a window
  // manager may keep the window on the screen), so each step is seen and the next one starts
  // from where the window is. Asleep: on a busy machine the window system needs the processor
  // to answer. Only the user's keys and clicks are held back: no handler may run meanwhile.
  if (!watcher_->answered) {
    QEventLoop loop;
    QTimer::singleShot(kConfirmMilliseconds, &loop, &QEventLoop::quit);
    watcher_->waiting = &loop;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    watcher_->waiting = nullptr;
  }
  return !refused && watcher_->reported == wantedInner;
}

std::optional<float> QtGeometry::screenWidth() const {
  QScreen* screen = screenOf(window_);
  if (screen == nullptr) return std::nullopt;
  return twips(screen->geometry().width());
}

}  // namespace quorvel
