// The program's one dialog: a modal message box.
#pragma once

#include <string_view>

#include "platform/Platform.h"

class QWidget;

namespace quorvel {

// Shows the box over `parent` (or on its own, for null) and waits for the answer. With Yes and
// No, Yes is the default button and Escape answers No.
MessageAnswer showMessageBox(QWidget* parent, std::string_view title, std::string_view text,
                             MessageIcon icon, MessageButtons buttons);

}  // namespace quorvel
