#include "platform/qt/KeyCode.h"

namespace quorvel {

std::optional<int> characterCode(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  const bool control = modifiers.testFlag(Qt::ControlModifier);
  const bool alt = modifiers.testFlag(Qt::AltModifier);
  const bool meta = modifiers.testFlag(Qt::MetaModifier);

  // Alt alone opens menus by their access keys; Meta belongs to the desktop.
  if (meta || (alt && !control)) return std::nullopt;

  switch (key) {
    case Qt::Key_Backspace:
      return control ? 127 : 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return control ? 10 : 13;
    case Qt::Key_Escape:
      return 27;
    default:
      break;
  }

  if (control && !alt) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key - Qt::Key_A + 1;
    // Other Control combinations are editing commands (word moves, copy), not characters.
    return std::nullopt;
  }

  // Control+Alt is how some keyboards reach their third level (AltGr); it types only when the
  // layout gives it a printable character.
  if (text.isEmpty()) return std::nullopt;
  const char16_t first = text.at(0).unicode();
  // Tab and Delete carry control characters in their text but edit or move focus instead.
  if (first < 32 || first == 127) return std::nullopt;
  return static_cast<int>(first);
}

}  // namespace quorvel
