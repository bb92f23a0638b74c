// The window's fonts: the designed sans serif face, bold, at its sizes, and the system's
// message font, the one Windows' own dialogs use, for everything else.
#pragma once

#include <windows.h>

#include "platform/Platform.h"

namespace quorvel {

// The caller deletes both with DeleteObject.
HFONT messageFont();
HFONT boldFont(FontSize size, int dpi);

}  // namespace quorvel
