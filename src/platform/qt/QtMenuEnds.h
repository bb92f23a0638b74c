// Room at the top and bottom of a drop-down menu. Fusion lays the first and last items
// against the menu's frame, so a separator there is drawn under the frame or against it and
// cannot be told apart; the window's menus begin and end with one.
#pragma once

class QMenu;
class QWidget;

namespace quorvel {

// Blank pixels between the frame and the first or last item. Fusion draws a separator's line
// on the top row of its two, so with this margin the line stands clear of the frame.
inline constexpr int kMenuEndMargin = 3;

// Marks the menu for a margin inside its frame above the first item and below the last, so a
// separator at either end shows as a line of its own, like the ones between the items. The
// program's style (QtStyle) gives the margin.
void showEndSeparators(QMenu* menu);

// Whether `widget` is a menu marked so.
bool showsEndSeparators(const QWidget* widget);

}  // namespace quorvel
