#include "platform/win32/Win32Clipboard.h"

#include <cstring>
#include <string>

namespace quorvel {

namespace {

// Another program may hold the clipboard open for a moment.
bool openClipboard(HWND owner) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (::OpenClipboard(owner)) return true;
    ::Sleep(10);
  }
  return false;
}

bool put(UINT format, const void* data, std::size_t size) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (memory == nullptr) return false;
  void* locked = ::GlobalLock(memory);
  if (locked == nullptr) return ::GlobalFree(memory), false;
  std::memcpy(locked, data, size);
  ::GlobalUnlock(memory);
  if (::SetClipboardData(format, memory) != nullptr) return true;
  ::GlobalFree(memory);
  return false;
}

}  // namespace

void clearClipboard(HWND owner) {
  if (!openClipboard(owner)) return;
  ::EmptyClipboard();
  ::CloseClipboard();
}

bool setSecretClipboardText(HWND owner, std::wstring_view text) {
  if (!openClipboard(owner)) return false;
  ::EmptyClipboard();
  // The text exactly as given: Windows' own line end, CR LF, is the program's too.
  const std::wstring terminated(text);
  bool done = put(CF_UNICODETEXT, terminated.c_str(), (terminated.size() + 1) * sizeof(wchar_t));
  const DWORD no = 0;
  for (const wchar_t* name : kSecretClipboardFormats) {
    done = put(::RegisterClipboardFormatW(name), &no, sizeof no) && done;
  }
  ::CloseClipboard();
  return done;
}

void markControlCopies(HWND main) {
  HWND owner = ::GetClipboardOwner();
  if (owner == nullptr || !::IsChild(main, owner)) return;
  if (::IsClipboardFormatAvailable(::RegisterClipboardFormatW(kSecretClipboardFormats[0]))) return;
  if (!openClipboard(main)) return;
  std::wstring text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  setSecretClipboardText(main, text);
}

}  // namespace quorvel
