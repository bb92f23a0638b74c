// Room at the top and bottom of a drop-down menu. Fusion lays the first and last items
// against the menu's frame, so a separator there is drawn under the frame or against it and
// cannot be told apart; the window's menus begin and end with one.
#pragma once

class QMenu;

namespace quorvel {

// Gives the menu a margin inside its frame above the first item and below the last, so a
// separator at either end shows as a line of its own, like the ones between the items.
void showEndSeparators(QMenu* menu);

}  // namespace quorvel
