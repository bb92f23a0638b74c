// The window's place and size on the screen, in twips: where it opens, its outer edges as the
// closing movement reads and sets them, and the screen width it measures against.
#pragma once

#include <optional>

#include "platform/Platform.h"

class QMainWindow;

namespace quorvel {

class QtGeometry {
 public:
  explicit QtGeometry(QMainWindow& window) : window_(window) {}

  // Puts the window in the middle of its screen's free area.
  void centre();
  // The window is fixed for the user, but the closing movement shrinks it: lifts the limits.
  void releaseSizeLimits();

  std::optional<float> windowEdge(Edge edge) const;
  // A change to a shown window is waited for until the window system reports it back.
  bool setWindowEdge(Edge edge, float twips);
  std::optional<float> screenWidth() const;

 private:
  QMainWindow& window_;
  // Outer sizes (pixels) the window system would not shrink below; 0 while unknown.
  int narrowest_ = 0;
  int lowest_ = 0;
};

}  // namespace quorvel
