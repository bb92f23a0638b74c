#include "platform/win32/Win32Window.h"

#include <commctrl.h>

#include <cmath>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Fonts.h"

namespace quorvel {

namespace {

constexpr wchar_t kClassName[] = L"QuorvelWindow";
// Below these, the dialog manager's IDOK and IDCANCEL; above, the controls.
constexpr UINT kFirstMenuId = 100;
constexpr UINT kFirstControlId = 1000;
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                              WS_CLIPCHILDREN;  // fixed size: no sizing frame, no maximise box

// The icon the resource script gives the executable, or the system's.
HICON programIcon(int size) {
  const HINSTANCE self = ::GetModuleHandleW(nullptr);
  if (auto* icon = static_cast<HICON>(
          ::LoadImageW(self, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR))) {
    return icon;
  }
  return ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
}

void registerClass(WNDPROC windowProc) {
  static const bool registered = [windowProc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hIcon = programIcon(::GetSystemMetrics(SM_CXICON));
    wc.hIconSm = programIcon(::GetSystemMetrics(SM_CXSMICON));
    wc.lpszClassName = kClassName;
    return ::RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

int systemDpi() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

Win32Window::Win32Window(const WindowDesign& design, Handler handler)
    : design_(design), handler_(std::move(handler)), dpi_(systemDpi()) {
  INITCOMMONCONTROLSEX classes{sizeof classes,
                               ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&classes);
  registerClass(&Win32Window::windowProc);
  const auto& bg = design_.background;
  background_ = ::CreateSolidBrush(RGB(bg[0], bg[1], bg[2]));
  messageFont_ = messageFont();

  const std::wstring title = toWide(design_.title);
  RECT frame{0, 0, pixels(design_.clientWidth), pixels(design_.clientHeight)};
  ::AdjustWindowRectEx(&frame, kFrameStyle, TRUE, 0);
  ::CreateWindowExW(0, kClassName, title.c_str(), kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                    ::GetModuleHandleW(nullptr), this);
  if (main_ == nullptr) return;
  buildMenus();
  // A menu bar that wraps onto a second line takes client height: give it back.
  RECT client{};
  ::GetClientRect(main_, &client);
  const int missing = pixels(design_.clientHeight) - (client.bottom - client.top);
  if (missing != 0) {
    ::SetWindowPos(main_, nullptr, 0, 0, frame.right - frame.left,
                   frame.bottom - frame.top + missing, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  toolTips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main_, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
  // Long tips (the about text) wrap instead of running off the screen.
  ::SendMessageW(toolTips_, TTM_SETMAXTIPWIDTH, 0, pixels(6000));

  for (const auto& d : design_.controls) {
    HWND w = buildControl(d);
    controls_[static_cast<std::size_t>(d.id)] = w;
    if (w == nullptr) continue;
    HFONT font = messageFont_;
    if (d.font != FontSize::Default) font = boldFonts_.emplace_back(boldFont(d.font, dpi_));
    ::SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    addToolTip(w, d.toolTip);
    if (!d.accessibleName.empty()) accessibility_.setName(w, d.accessibleName);
    if (d.kind != ControlKind::Label && d.kind != ControlKind::Button) {
      accessibility_.setDescription(w, accessibleDescription(d, d.toolTip));
    }
  }
}

Win32Window::~Win32Window() {
  if (main_ != nullptr) ::DestroyWindow(main_);
  for (HFONT font : boldFonts_) ::DeleteObject(font);
  ::DeleteObject(messageFont_);
  ::DeleteObject(background_);
}

int Win32Window::pixels(double twips) const {
  return static_cast<int>(std::lround(twips * dpi_ / 1440.0));
}

float Win32Window::twips(int pixels) const {
  return static_cast<float>(pixels * 1440.0 / dpi_);
}

std::optional<Control> Win32Window::controlOf(HWND child) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == child && child != nullptr) return static_cast<Control>(i);
  }
  return std::nullopt;
}

std::optional<MenuCommand> Win32Window::menuCommand(WPARAM id) const {
  if (id < kFirstMenuId || id - kFirstMenuId >= commands_.size()) return std::nullopt;
  return commands_[id - kFirstMenuId];
}

void Win32Window::buildMenus() {
  HMENU bar = ::CreateMenu();
  for (const auto& menuDesign : design_.menus) {
    HMENU menu = ::CreatePopupMenu();
    // Every entry as designed, the separators that open and close each drop-down included.
    for (const auto& entry : menuDesign.entries) {
      if (!entry.command) {
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      commands_.push_back(*entry.command);
      ::AppendMenuW(menu, MF_STRING, kFirstMenuId + commands_.size() - 1,
                    toWide(entry.caption).c_str());
    }
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu),
                  toWide(menuDesign.caption).c_str());
  }
  ::SetMenu(main_, bar);
}

HWND Win32Window::buildControl(const ControlDesign& d) {
  const wchar_t* windowClass = L"STATIC";
  DWORD style = WS_CHILD | (d.visibleAtStart ? WS_VISIBLE : 0);
  DWORD exStyle = 0;
  switch (d.kind) {
    case ControlKind::Label:
      // SS_NOTIFY: a label gets the mouse, so its tooltip shows; an & is shown as it is.
      style |= SS_CENTER | SS_NOTIFY | SS_NOPREFIX;
      break;
    case ControlKind::ListBox:
      // A list view that asks for each row as it draws it, looking like a list box.
      windowClass = WC_LISTVIEWW;
      style |= WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_NOCOLUMNHEADER |
               LVS_SHOWSELALWAYS;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::TextBox:
      windowClass = L"EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      // The copy box: read-only, unwrapped, its vertical scroll bar always there.
      if (d.multiLine) style |= ES_MULTILINE | ES_READONLY | WS_VSCROLL;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Button:
      windowClass = L"BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
  }
  const int x = pixels(d.left), y = pixels(d.top);
  // Siblings that overlap (the entry box and the candidates) clip each other, and each control
  // goes above those made before it, labels first: as designed, a later control is drawn
  // over an earlier one.
  style |= WS_CLIPSIBLINGS;
  HWND w = ::CreateWindowExW(
      exStyle, windowClass, toWide(d.text).c_str(), style, x, y, pixels(d.left + d.width) - x,
      pixels(d.top + d.height) - y, main_,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kFirstControlId + static_cast<UINT>(d.id))),
      ::GetModuleHandleW(nullptr), nullptr);
  if (w == nullptr) return nullptr;
  ::SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (d.kind == ControlKind::TextBox && d.multiLine) ::SendMessageW(w, EM_SETLIMITTEXT, 0, 0);
  if (d.kind == ControlKind::ListBox) {
    ListView_SetExtendedListViewStyle(w, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    RECT inside{};
    ::GetClientRect(w, &inside);
    // One column as wide as the list beside its scroll bar: no horizontal scrolling.
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = inside.right - ::GetSystemMetrics(SM_CXVSCROLL);
    ListView_InsertColumn(w, 0, &column);
  }
  return w;
}

void Win32Window::addToolTip(HWND control, std::string_view tip) {
  if (toolTips_ == nullptr) return;
  std::wstring text = toWide(tip);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = main_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  ::SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CALLBACK Win32Window::windowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->main_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, w, l);
  const LRESULT result = self->handle(message, w, l);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->main_ = nullptr;
  }
  return result;
}

LRESULT Win32Window::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{};
      ::GetClientRect(main_, &client);
      ::FillRect(reinterpret_cast<HDC>(w), &client, background_);
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // The read-only copy box asks as a label would; it keeps the white of a box.
      if (reinterpret_cast<HWND>(l) == control(Control::CopyBox)) {
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
      }
      const auto& bg = design_.background;
      ::SetBkColor(reinterpret_cast<HDC>(w), RGB(bg[0], bg[1], bg[2]));
      return reinterpret_cast<LRESULT>(background_);
    }
    default:
      break;
  }
  if (handler_) {
    if (const std::optional<LRESULT> result = handler_(message, w, l)) return *result;
  }
  return ::DefWindowProcW(main_, message, w, l);
}

}  // namespace quorvel
