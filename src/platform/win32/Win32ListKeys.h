// A list view with nothing selected only moves its focus mark on an arrow key. Here the first
// such key selects a row, as in a list box: Down, Up, Home and Page Up the first, End and
// Page Down the last.
#pragma once

#include <windows.h>

namespace quorvel {

void selectByFirstKey(HWND list);

}  // namespace quorvel
