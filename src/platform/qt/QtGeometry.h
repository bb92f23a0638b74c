// The window's place and size on the screen, in twips: where it opens, its outer edges as the
// closing movement reads and sets them, and the screen width it measures against.
#pragma once

#include <QRect>
#include <memory>
#include <optional>

#include "platform/Platform.h"

class QMainWindow;

namespace quorvel {

class QtGeometry {
 public:
  explicit QtGeometry(QMainWindow& window);
  ~QtGeometry();

  // Puts the window in the middle of its screen's free area.
  void centre();
  // The window is fixed for the user, but the closing movement shrinks it: lifts the limits.
  void releaseSizeLimits();

  std::optional<float> windowEdge(Edge edge) const;
  // A change to a shown window is waited for, a short while, until the window system reports
  // it back; false when an edge was refused or the change did not come back in time.
  bool setWindowEdge(Edge edge, float twips);
  // All four as one change of the window, so one step costs one round trip.
  bool setWindowEdges(const WindowEdges& edges);
  std::optional<float> screenWidth() const;

 private:
  class Watcher;
  // The outer edges, in pixels: once the closing movement has begun, as last reported.
  QRect frame() const;

  QMainWindow& window_;
  std::unique_ptr<Watcher> watcher_;
};

}  // namespace quorvel
