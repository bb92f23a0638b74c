// The window as designed, built from the design table with standard Win32 controls at the
// system's DPI: a fixed-size frame with the menus, the labels, buttons and boxes, the two
// lists as virtual list views, one tooltip control for all, and the fonts. What happens in
// it is not this class's job: every message of the main window goes to the handler it is
// given, and what the handler leaves gets the default treatment.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/win32/Win32Accessibility.h"

namespace quorvel {

// Where the program stands, as far as its handlers are concerned.
struct Win32RunState {
  WindowEvents* events = nullptr;
  bool ended = false;
  bool closing = false;  // the unload handler has started
  bool inputEnabled = true;

  bool handlersLive() const { return events != nullptr && !ended && inputEnabled && !closing; }
};

class Win32Window {
 public:
  // Returns the message's result, or nothing for the default treatment.
  using Handler = std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;

  // Builds the whole window from `design`, which outlives it; not shown yet.
  Win32Window(const WindowDesign& design, Handler handler);
  ~Win32Window();
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  const WindowDesign& design() const { return design_; }
  HWND main() const { return main_; }
  HWND control(Control id) const { return controls_[static_cast<std::size_t>(id)]; }
  // The control a child window is, if it is one of ours.
  std::optional<Control> controlOf(HWND child) const;
  HWND toolTips() const { return toolTips_; }
  std::optional<MenuCommand> menuCommand(WPARAM id) const;
  Win32Accessibility& accessibility() { return accessibility_; }

  // The design's twips at the DPI the window was built for, and back.
  int pixels(double twips) const;
  float twips(int pixels) const;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  void buildMenus();
  HWND buildControl(const ControlDesign& d);
  void addToolTip(HWND control, std::string_view tip);

  const WindowDesign& design_;
  Win32Accessibility accessibility_;
  Handler handler_;
  int dpi_ = 96;
  HWND main_ = nullptr;
  HWND toolTips_ = nullptr;
  std::array<HWND, kControlCount> controls_{};
  std::vector<MenuCommand> commands_;
  HBRUSH background_ = nullptr;
  HFONT messageFont_ = nullptr;
  std::vector<HFONT> boldFonts_;
};

}  // namespace quorvel
