// The window's fonts. The designed face, MS Sans Serif, is missing on Linux; Liberation Sans
// (metric-compatible with Arial) takes its place, with the common sans faces behind it.
#pragma once

#include <QFont>

#include "platform/Platform.h"

namespace quorvel {

// Sizes are set in device-independent pixels at 96 per inch, the scale the twips of the
// design are placed at, so texts keep their proportion to their controls whatever dots per
// inch the display reports; high-DPI scaling enlarges both alike.
int pixelsForPoints(double points);

// The window's own dialog font, used by the controls without a font of their own.
QFont windowFont();

// The bold face at one of the designed sizes (not Default).
QFont boldFont(FontSize size);

}  // namespace quorvel
