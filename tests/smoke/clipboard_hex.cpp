// Prints what the clipboard holds as a Windows program sees it: the hex of its text
// (CF_UNICODETEXT, UTF-16LE, without the closing NUL) on one line, then one line for each
// mark that keeps a secret out of clipboard histories, with the hex of its data or "missing".
// The smoke script reads it under Wine, whose own export to X turns CR LF into LF.
#include <windows.h>

#include <cstdio>
#include <initializer_list>

namespace {

void printHex(const char* name, UINT format) {
  std::printf("%s", name);
  HANDLE data = ::GetClipboardData(format);
  const auto* bytes =
      data != nullptr ? static_cast<const unsigned char*>(::GlobalLock(data)) : nullptr;
  if (bytes == nullptr) return (void)std::printf(" missing\n");
  SIZE_T size = ::GlobalSize(data);
  if (format == CF_UNICODETEXT) size = ::lstrlenW(reinterpret_cast<const wchar_t*>(bytes)) * 2;
  std::printf(" ");
  for (SIZE_T i = 0; i < size; ++i) std::printf("%02x", bytes[i]);
  std::printf("\n");
  ::GlobalUnlock(data);
}

}  // namespace

int main() {
  if (!::OpenClipboard(nullptr)) return 1;
  printHex("text", CF_UNICODETEXT);
  for (const wchar_t* name : {L"ExcludeClipboardContentFromMonitorProcessing",
                              L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
    char narrow[64];
    ::WideCharToMultiByte(CP_UTF8, 0, name, -1, narrow, sizeof narrow, nullptr, nullptr);
    printHex(narrow, ::RegisterClipboardFormatW(name));
  }
  ::CloseClipboard();
  return 0;
}
