#include "platform/win32/Win32Geometry.h"

#include <cmath>

#include "platform/win32/Win32Window.h"

namespace quorvel {

namespace {

std::optional<MONITORINFO> monitorOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    return std::nullopt;
  }
  return monitor;
}

}  // namespace

void Win32Geometry::centre() {
  HWND main = window_.main();
  const std::optional<MONITORINFO> monitor = monitorOf(main);
  RECT frame{};
  if (!monitor || !::GetWindowRect(main, &frame)) return;
  const RECT& area = monitor->rcWork;
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  ::SetWindowPos(main, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<float> Win32Geometry::windowEdge(Edge edge) const {
  RECT frame{};
  if (!::GetWindowRect(window_.main(), &frame)) return std::nullopt;
  switch (edge) {
    case Edge::Top:
      return window_.twips(frame.top);
    case Edge::Left:
      return window_.twips(frame.left);
    case Edge::Width:
      return window_.twips(frame.right - frame.left);
    case Edge::Height:
      return window_.twips(frame.bottom - frame.top);
  }
  return std::nullopt;
}

bool Win32Geometry::setWindowEdge(Edge edge, float value) {
  HWND main = window_.main();
  if (!std::isfinite(value) || std::fabs(value) > 1.0e8f) return false;
  // Windows keeps a minimised or maximised window where it is; the set would only change the
  // place it is restored to.
  if (::IsIconic(main) || ::IsZoomed(main)) return false;
  RECT frame{};
  if (!::GetWindowRect(main, &frame)) return false;
  const int wanted = window_.pixels(value);
  int x = frame.left, y = frame.top;
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  switch (edge) {
    case Edge::Top:
      y = wanted;
      flags |= SWP_NOSIZE;
      break;
    case Edge::Left:
      x = wanted;
      flags |= SWP_NOSIZE;
      break;
    case Edge::Width:
      width = wanted;
      flags |= SWP_NOMOVE;
      break;
    case Edge::Height:
      height = wanted;
      flags |= SWP_NOMOVE;
      break;
  }
  if (width <= 0 || height <= 0) return false;
  ::SetWindowPos(main, nullptr, x, y, width, height, flags);
  // Each step is drawn before the next, so the movement is seen.
  MSG paint;
  while (::PeekMessageW(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageW(&paint);
  RECT now{};
  ::GetWindowRect(main, &now);
  return !::EqualRect(&now, &frame);
}

std::optional<float> Win32Geometry::screenWidth() const {
  const std::optional<MONITORINFO> monitor = monitorOf(window_.main());
  if (!monitor) return std::nullopt;
  return window_.twips(monitor->rcMonitor.right - monitor->rcMonitor.left);
}

}  // namespace quorvel
