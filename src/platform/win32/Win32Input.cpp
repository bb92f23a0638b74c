#include "platform/win32/Win32Input.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/Win32Contents.h"
#include "platform/win32/Win32ListKeys.h"

namespace quorvel {

namespace {

// A pick in the candidates, handled once the list view is done with the click or key that
// made it: the handler may empty the list under it.
constexpr UINT kPick = WM_APP + 1;

bool mouseButtonOtherThanLeft(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
    case WM_XBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

}  // namespace

Win32Input::Win32Input(Win32Window& window, Win32RunState& state, Win32Contents& contents)
    : window_(window), state_(state), contents_(contents) {
  const auto self = reinterpret_cast<DWORD_PTR>(this);
  ::SetWindowSubclass(window_.control(Control::EntryBox), entryBox, 1, self);
  ::SetWindowSubclass(window_.control(Control::Candidates), candidates, 1, self);
  ::SetWindowSubclass(window_.control(Control::CopyBox), copyBox, 1, self);
  selectByFirstKey(window_.control(Control::WordList));
  selectByFirstKey(window_.control(Control::Candidates));
}

LRESULT CALLBACK Win32Input::entryBox(HWND box, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                      DWORD_PTR self) {
  switch (message) {
    case WM_CHAR:
      return reinterpret_cast<Win32Input*>(self)->typed(box, w, l);
    case WM_KEYDOWN:
      // Shift+Insert pastes and Shift+Delete cuts: edits behind the key filter's back.
      if ((w == VK_INSERT || w == VK_DELETE) && ::GetKeyState(VK_SHIFT) < 0) return 0;
      break;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case WM_CONTEXTMENU:
      return 0;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(box, entryBox, 1);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(box, message, w, l);
}

LRESULT Win32Input::typed(HWND box, WPARAM unit, LPARAM l) {
  const std::optional<int> typed = typing_.feed(static_cast<wchar_t>(unit));
  if (!typed || !state_.handlersLive()) return 0;
  const int code = state_.events->onEntryKey(*typed);
  if (state_.ended || code <= 0 || code > 0x10FFFF) return 0;
  if (code < 32 || code == 127) {
    // A single-line box has no place for control characters: only Backspace gets through.
    if (code == 8) ::DefSubclassProc(box, WM_CHAR, 8, l);
    return 0;
  }
  if (code == *typed && code <= 0xFFFF) return ::DefSubclassProc(box, WM_CHAR, unit, l);
  std::wstring units;
  if (code > 0xFFFF) {
    units = {static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)),
             static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF))};
  } else {
    units = static_cast<wchar_t>(code);
  }
  ::SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(units.c_str()));
  return 0;
}

LRESULT CALLBACK Win32Input::candidates(HWND list, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                        DWORD_PTR self) {
  // Only the left button picks a candidate; the others would select one unasked.
  if (mouseButtonOtherThanLeft(message)) return 0;
  if (message == WM_LBUTTONDOWN) {
    // A press on the entry already selected changes no selection, yet it is a click.
    LVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
    const int row = ListView_HitTest(list, &hit);
    if (row >= 0 && ListView_GetItemState(list, row, LVIS_SELECTED) != 0) {
      reinterpret_cast<Win32Input*>(self)->postPick();
    }
  }
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(list, candidates, 1);
  return ::DefSubclassProc(list, message, w, l);
}

LRESULT CALLBACK Win32Input::copyBox(HWND box, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                     DWORD_PTR self) {
  auto* input = reinterpret_cast<Win32Input*>(self);
  if (message == WM_LBUTTONDOWN && input->state_.handlersLive()) {
    // Selecting still works: the press goes on to the box after the handler.
    input->state_.events->onClick(Control::CopyBox);
    if (input->state_.ended) return 0;
  }
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(box, copyBox, 1);
  return ::DefSubclassProc(box, message, w, l);
}

void Win32Input::postPick() {
  ::PostMessageW(window_.main(), kPick, 0, 0);
}

std::optional<LRESULT> Win32Input::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: {
      if (l == 0 && HIWORD(w) == 0) {
        const std::optional<MenuCommand> command = window_.menuCommand(LOWORD(w));
        if (command && state_.handlersLive()) state_.events->onMenu(*command);
        return 0;
      }
      const std::optional<Control> control = window_.controlOf(reinterpret_cast<HWND>(l));
      if (HIWORD(w) == BN_CLICKED && control && state_.handlersLive()) {
        state_.events->onClick(*control);
      }
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(l);
      if (header->code == LVN_GETDISPINFOW) {
        contents_.rowText(*reinterpret_cast<NMLVDISPINFOW*>(l));
        return 0;
      }
      if (header->code == LVN_ITEMCHANGED && !contents_.changingList() &&
          header->hwndFrom == window_.control(Control::Candidates)) {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(l);
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
            !(change->uOldState & LVIS_SELECTED)) {
          postPick();
        }
      }
      return std::nullopt;
    }
    case kPick:
      if (state_.handlersLive() && contents_.selectedRow(Control::Candidates) >= 0) {
        state_.events->onClick(Control::Candidates);
      }
      return 0;
    case WM_ACTIVATE:
      // No dialog manager keeps the focus across a switch to another window: this does.
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(window_.main(), focus)) focusWhenInactive_ = focus;
        return std::nullopt;
      }
      if (state_.inputEnabled) {
        HWND focus = focusWhenInactive_ != nullptr && ::IsWindow(focusWhenInactive_)
                         ? focusWhenInactive_
                         : window_.control(Control::EntryBox);
        ::SetFocus(focus);
        return 0;
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

bool Win32Input::tabKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
  if (message.hwnd != window_.main() && !::IsChild(window_.main(), message.hwnd)) return false;
  const std::vector<Control>& order = window_.design().tabOrder;
  const int count = static_cast<int>(order.size());
  HWND focus = ::GetFocus();
  int at = -1;
  for (int i = 0; i < count; ++i) {
    HWND control = window_.control(order[static_cast<std::size_t>(i)]);
    if (control == focus || ::IsChild(control, focus)) at = i;
  }
  const int step = ::GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
  for (int tried = 1; tried <= count; ++tried) {
    const int next = ((at < 0 ? (step == 1 ? -1 : 0) : at) + step * tried) % count;
    HWND control = window_.control(order[static_cast<std::size_t>(next)]);
    if (!::IsWindowEnabled(control) || !::IsWindowVisible(control)) continue;
    ::SetFocus(control);
    // As a dialog does: text reached by Tab is selected whole, ready to be typed over.
    if (order[static_cast<std::size_t>(next)] == Control::EntryBox) {
      ::SendMessageW(control, EM_SETSEL, 0, -1);
    }
    return true;
  }
  return true;
}

void Win32Input::setEnabled(bool enabled) {
  if (!enabled && state_.inputEnabled) {
    // The focus now, or the one the window keeps while a message box has it.
    HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsChild(window_.main(), focus)) focus = focusWhenInactive_;
    focusBeforeDisable_ = focus != nullptr ? focus : window_.control(Control::EntryBox);
  }
  state_.inputEnabled = enabled;
  HMENU bar = ::GetMenu(window_.main());
  for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
    ::EnableMenuItem(bar, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  }
  ::DrawMenuBar(window_.main());
  for (Control c : window_.design().tabOrder) ::EnableWindow(window_.control(c), enabled);
  if (!enabled) return;
  // Disabling took the focus away; give it back to where it was, or to where the program
  // asked for it meanwhile.
  if (focusBeforeDisable_ != nullptr && ::IsWindowEnabled(focusBeforeDisable_)) {
    ::SetFocus(focusBeforeDisable_);
  }
  focusBeforeDisable_ = nullptr;
}

void Win32Input::setFocus(Control control) {
  HWND w = window_.control(control);
  if (w == nullptr) return;
  if (!state_.inputEnabled) {
    focusBeforeDisable_ = w;
    return;
  }
  ::SetFocus(w);
}

}  // namespace quorvel
