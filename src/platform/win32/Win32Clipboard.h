// The clipboard, for text the program treats as secret: besides the text, the formats that
// keep it out of Windows' clipboard history, its cloud clipboard, and the monitors that
// honour the exclusion mark.
#pragma once

#include <windows.h>

#include <string_view>

namespace quorvel {

// The marks, in the order they are put; the last two carry a DWORD of 0.
inline constexpr const wchar_t* kSecretClipboardFormats[] = {
    L"ExcludeClipboardContentFromMonitorProcessing", L"CanIncludeInClipboardHistory",
    L"CanUploadToCloudClipboard"};

void clearClipboard(HWND owner);
// False when the clipboard could not be had (another program holding it open).
bool setSecretClipboardText(HWND owner, std::wstring_view text);
// Called when the clipboard changed: text one of the window's own boxes copied (Control+C,
// the box's menu) is put again with the marks.
void markControlCopies(HWND main);

}  // namespace quorvel
