#include "platform/win32/Win32Dialogs.h"

#include "platform/win32/WideText.h"

namespace quorvel {

MessageAnswer showMessageBox(HWND owner, std::string_view title, std::string_view text,
                             MessageIcon icon, MessageButtons buttons) {
  UINT style = icon == MessageIcon::Critical  ? MB_ICONERROR
               : icon == MessageIcon::Warning ? MB_ICONWARNING
                                              : MB_ICONQUESTION;
  style |= buttons == MessageButtons::Ok ? MB_OK : MB_YESNO | MB_DEFBUTTON1;
  // Without a window to belong to, the box still blocks the program's other windows and comes
  // to the front.
  if (owner == nullptr) style |= MB_TASKMODAL | MB_SETFOREGROUND;
  const int answer = ::MessageBoxW(owner, toWide(text).c_str(), toWide(title).c_str(), style);
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace quorvel
