#include "platform/win32/Win32Platform.h"

#include <chrono>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Dialogs.h"

namespace quorvel {

Win32Platform::Win32Platform(const WindowDesign& design)
    : window_(std::make_unique<Win32Window>(
          design, [this](UINT message, WPARAM w, LPARAM l) { return handle(message, w, l); })),
      contents_(*window_),
      input_(*window_, state_, contents_),
      geometry_(*window_) {
  // Text the boxes copy themselves is marked as the program's own copies are.
  ::AddClipboardFormatListener(window_->main());
}

Win32Platform::~Win32Platform() {
  state_.ended = true;  // no handler runs while the window goes
  // Destroyed while window_ still points to it: its last messages come here.
  if (window_->main() != nullptr) ::DestroyWindow(window_->main());
  window_.reset();
}

int Win32Platform::run() {
  if (state_.events != nullptr && !state_.ended) state_.events->onLoad();
  if (state_.ended) return exitStatus_;

  HWND main = window_->main();
  geometry_.centre();
  ::ShowWindow(main, SW_SHOWNORMAL);
  ::UpdateWindow(main);
  ::SetForegroundWindow(main);
  if (::IsWindowEnabled(control(Control::EntryBox))) ::SetFocus(control(Control::EntryBox));

  inMessageLoop_ = true;
  MSG message{};
  int status = 0;
  while (true) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      status = got == 0 ? static_cast<int>(message.wParam) : 1;
      break;
    }
    if (input_.tabKey(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  inMessageLoop_ = false;
  return state_.ended ? exitStatus_ : status;
}

std::optional<LRESULT> Win32Platform::handle(UINT message, WPARAM w, LPARAM l) {
  if (!window_) return std::nullopt;  // messages sent while the window is being made
  switch (message) {
    case WM_CLOSE:
      closeRequested();
      return 0;
    case WM_DESTROY:
      ::RemoveClipboardFormatListener(window_->main());
      if (inMessageLoop_) ::PostQuitMessage(exitStatus_);
      return 0;
    case WM_CLIPBOARDUPDATE:
      markControlCopies(window_->main());
      return 0;
    default:
      return input_.handle(message, w, l);
  }
}

void Win32Platform::closeRequested() {
  if (state_.ended || state_.closing || !state_.inputEnabled) return;
  if (state_.events == nullptr) return endProgram(0);
  state_.closing = true;
  state_.events->onClose();
  // Closing is never cancelled: should the handler return without ending, end here.
  if (!state_.ended) endProgram(0);
}

void Win32Platform::doEvents() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The loop that waits for it is further out: leave it for that one.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (input_.tabKey(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

double Win32Platform::monotonicSeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void Win32Platform::endProgram(int status) {
  if (state_.ended) return;
  state_.ended = true;
  exitStatus_ = status;
  // Outside the message loop (the load handler) run() returns the status itself; WM_DESTROY
  // tells a running loop to end.
  if (window_->main() != nullptr) ::DestroyWindow(window_->main());
}

MessageAnswer Win32Platform::messageBox(std::string_view title, std::string_view text,
                                        MessageIcon icon, MessageButtons buttons) {
  HWND main = window_->main();
  return showMessageBox(main != nullptr && ::IsWindowVisible(main) ? main : nullptr, title, text,
                        icon, buttons);
}

void Win32Platform::clearClipboard() {
  quorvel::clearClipboard(window_->main());
}

void Win32Platform::setClipboardText(std::string_view text) {
  setSecretClipboardText(window_->main(), toWide(text));
}

}  // namespace quorvel
