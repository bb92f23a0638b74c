#include "platform/win32/Win32ListKeys.h"

#include <commctrl.h>

namespace quorvel {

namespace {

LRESULT CALLBACK firstKey(HWND list, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(list, firstKey, 1);
  if (message != WM_KEYDOWN || ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) {
    return ::DefSubclassProc(list, message, w, l);
  }
  bool last = false;
  switch (w) {
    case VK_DOWN:
    case VK_UP:
    case VK_HOME:
    case VK_PRIOR:
      break;
    case VK_END:
    case VK_NEXT:
      last = true;
      break;
    default:
      return ::DefSubclassProc(list, message, w, l);
  }
  const int rows = ListView_GetItemCount(list);
  if (rows == 0 || ListView_GetNextItem(list, -1, LVNI_SELECTED) >= 0) {
    return ::DefSubclassProc(list, message, w, l);
  }
  const int row = last ? rows - 1 : 0;
  ListView_EnsureVisible(list, row, FALSE);
  // Last: a handler of the selection may empty the list, so nothing touches it afterwards.
  const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
  ListView_SetItemState(list, row, both, both);
  return 0;
}

}  // namespace

void selectByFirstKey(HWND list) {
  ::SetWindowSubclass(list, firstKey, 1, 0);
}

}  // namespace quorvel
