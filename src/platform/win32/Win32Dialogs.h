// Message boxes: the system's own, with the program's titles, texts, icons and buttons.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/Platform.h"

namespace quorvel {

// Modal to `owner` (null before the window is shown); Yes is the default of Yes/No.
MessageAnswer showMessageBox(HWND owner, std::string_view title, std::string_view text,
                             MessageIcon icon, MessageButtons buttons);

}  // namespace quorvel
