// The window as designed: every control's place, size, texts and look, the Tab order, both
// menus, and the captions the program changes later. Each control and menu item keeps the
// name the window's designer gave it as its object name.
#pragma once

#include <string_view>

#include "lookup/Lookup.h"
#include "platform/Platform.h"

namespace quorvel {

const WindowDesign& windowDesign();

// The mode button names the mode in force; its tooltip, the mode a click switches to.
std::string_view modeCaption(InputMode mode);
std::string_view modeToolTip(InputMode mode);

}  // namespace quorvel
