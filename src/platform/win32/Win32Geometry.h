// The window's place and size as the program reads and sets them, in twips of its outer
// edges, and its place at start-up: centred on the work area.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/Platform.h"

namespace quorvel {

class Win32Window;

class Win32Geometry {
 public:
  explicit Win32Geometry(Win32Window& window) : window_(window) {}

  void centre();
  std::optional<float> windowEdge(Edge edge) const;
  // False, changing nothing, where Windows does not move the window: minimised or maximised,
  // or past the least size it allows.
  bool setWindowEdge(Edge edge, float twips);
  std::optional<float> screenWidth() const;

 private:
  Win32Window& window_;
};

}  // namespace quorvel
