// Which key presses in the entry box count as typed characters, and with which code. The
// logic filters characters by code before the box inserts them, so everything that would
// change the text as typing must arrive here with a code; editing keys (Delete, arrows, Home,
// End) and focus keys (Tab) do not.
#pragma once

#include <QString>
#include <Qt>
#include <optional>

namespace quorvel {

// The 16-bit character code a key press delivers, or nothing when the box should handle the
// key on its own. Control+letter gives the control codes 1 to 26, so Control+V (22) reaches
// the filter as a character instead of pasting behind its back.
std::optional<int> characterCode(int key, Qt::KeyboardModifiers modifiers, const QString& text);

}  // namespace quorvel
