// The clipboard. Text the program or its widgets put there is marked as a secret, so clipboard
// managers that keep a history (KDE's, and the others that follow its convention) leave it
// out; the text itself pastes as before.
#pragma once

#include <QString>

class QMimeData;
class QObject;

namespace quorvel {

void clearClipboard();

// `text`, marked, for the clipboard or a drag.
QMimeData* secretText(const QString& text);

// Replaces what the clipboard holds with `text`, marked.
void setSecretClipboardText(const QString& text);

// From now on, while `context` lives, text the widgets copy on their own (a selection in the
// copy box, Control+C in a list, the entry box's context menu, the X selection) is marked too.
void markWidgetCopiesSecret(QObject* context);

}  // namespace quorvel
