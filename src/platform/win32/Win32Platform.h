// The window on Win32, behind the Platform interface. This class starts the window, runs its
// message loop and ends it; everything else it hands to the part that does that job:
// Win32Window builds the window, Win32Input routes what the user does, Win32Contents keeps
// what the program puts into the controls, Win32Geometry places and measures, Win32Dialogs
// and Win32Clipboard.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/win32/Win32Contents.h"
#include "platform/win32/Win32Geometry.h"
#include "platform/win32/Win32Input.h"
#include "platform/win32/Win32Window.h"

namespace quorvel {

class Win32Platform : public Platform {
 public:
  // Builds the whole window from `design`, which outlives it; not shown yet.
  explicit Win32Platform(const WindowDesign& design);
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  void setEvents(WindowEvents* events) { state_.events = events; }
  // Runs the load handler; unless it ended the program, shows the window centred with the
  // focus in the entry box and runs the message loop. Returns the exit status.
  int run();

  HWND window() const { return window_->main(); }
  HWND control(Control control) const { return window_->control(control); }
  HWND toolTips() const { return window_->toolTips(); }
  bool ended() const { return state_.ended; }

  std::optional<float> windowEdge(Edge edge) override { return geometry_.windowEdge(edge); }
  bool setWindowEdge(Edge edge, float twips) override {
    return geometry_.setWindowEdge(edge, twips);
  }
  std::optional<float> screenWidth() override { return geometry_.screenWidth(); }
  void doEvents() override;
  double monotonicSeconds() override;
  void endProgram(int status) override;
  void setInputEnabled(bool enabled) override { input_.setEnabled(enabled); }

  std::string text(Control control) override { return contents_.text(control); }
  void setText(Control control, std::string_view text) override {
    contents_.setText(control, text);
  }
  void appendText(Control control, std::string_view more) override {
    contents_.appendText(control, more);
  }
  void setToolTip(Control control, std::string_view tip) override {
    contents_.setToolTip(control, tip);
  }
  void setVisible(Control control, bool visible) override {
    contents_.setVisible(control, visible);
  }
  void setFocus(Control control) override { input_.setFocus(control); }

  void clearList(Control list) override { contents_.clearList(list); }
  void appendItems(Control list, std::vector<std::string> items) override {
    contents_.appendItems(list, std::move(items));
  }
  void appendRows(Control list, const ListRows& rows) override { contents_.appendRows(list, rows); }
  std::string selectedText(Control list) override { return contents_.selectedText(list); }

  MessageAnswer messageBox(std::string_view title, std::string_view text, MessageIcon icon,
                           MessageButtons buttons) override;

  void clearClipboard() override;
  void setClipboardText(std::string_view text) override;

 private:
  std::optional<LRESULT> handle(UINT message, WPARAM w, LPARAM l);
  void closeRequested();

  Win32RunState state_;
  int exitStatus_ = 0;
  bool inMessageLoop_ = false;
  std::unique_ptr<Win32Window> window_;
  Win32Contents contents_;
  Win32Input input_;
  Win32Geometry geometry_;
};

}  // namespace quorvel
