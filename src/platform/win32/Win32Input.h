// What the user does in the window, routed to the window's handlers: characters typed into
// the entry box, clicks on the buttons, the copy box and the candidates, a selection in the
// candidates, menu items, and Tab between the controls in the designed order. While input is
// off, or once the program ends or starts closing, nothing the user does starts a handler.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/Platform.h"
#include "platform/win32/Win32KeyCode.h"
#include "platform/win32/Win32Window.h"

namespace quorvel {

class Win32Contents;

class Win32Input {
 public:
  // Wires the window's controls; all three outlive this.
  Win32Input(Win32Window& window, Win32RunState& state, Win32Contents& contents);

  // The main window's messages this routes; nothing for the rest.
  std::optional<LRESULT> handle(UINT message, WPARAM w, LPARAM l);
  // Tab and Shift+Tab, before they are translated: true when taken.
  bool tabKey(const MSG& message);
  void setEnabled(bool enabled);
  // While input is off, the focus goes there when input is back on.
  void setFocus(Control control);

 private:
  static LRESULT CALLBACK entryBox(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
  static LRESULT CALLBACK candidates(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
  static LRESULT CALLBACK copyBox(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);
  LRESULT typed(HWND box, WPARAM unit, LPARAM l);
  void postPick();

  Win32Window& window_;
  Win32RunState& state_;
  Win32Contents& contents_;
  TypedCharacters typing_;
  HWND focusBeforeDisable_ = nullptr;
  HWND focusWhenInactive_ = nullptr;
};

}  // namespace quorvel
