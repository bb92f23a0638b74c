// The program's widget style, for the whole application: Fusion, which honours palettes, so
// the light grey faces look the same on every desktop.
#pragma once

class QStyle;

namespace quorvel {

// A new style for QApplication::setStyle, which takes it.
QStyle* makeProgramStyle();

}  // namespace quorvel
