// The floor Quorvel's Windows start-up is measured against (bench/startup_windows.sh): a bare
// window, titled "floor", whose one LISTBOX holds the rows "0001 word" of the word file given,
// added one by one with LB_ADDSTRING after LB_INITSTORAGE, before the window is shown.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

LRESULT CALLBACK floorProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, w, l);
}

std::wstring widen(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            static_cast<int>(wide.size()))));
  return wide;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return std::fprintf(stderr, "usage: win32_list_floor WORDFILE\n"), 2;
  std::ifstream in(argv[1], std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::wstring> rows;
  std::size_t start = 0, total = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string word = bytes.substr(start, end - start);
    if (!word.empty() && word.back() == '\r') word.pop_back();
    char number[16];
    std::snprintf(number, sizeof number, "%04zu ", rows.size() + 1);
    rows.push_back(widen(number + word));
    total += rows.back().size() + 1;
    start = end + 1;
  }

  WNDCLASSW wc{};
  wc.lpfnWndProc = floorProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"floor";
  ::RegisterClassW(&wc);
  HWND window = ::CreateWindowExW(0, L"floor", L"floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 450, 340, nullptr, nullptr, wc.hInstance, nullptr);
  HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 8, 24,
                                145, 199, window, nullptr, wc.hInstance, nullptr);
  ::SendMessageW(list, LB_INITSTORAGE, rows.size(), total * sizeof(wchar_t));
  for (const std::wstring& row : rows) {
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  }
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
