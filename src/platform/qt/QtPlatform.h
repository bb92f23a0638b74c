// The window on Qt Widgets, behind the Platform interface. This class starts the program,
// runs its event loop and ends it; everything else it hands to the part that does that job:
// QtWindow builds the window, QtInput routes what the user does, QtContents keeps what the
// program puts into the controls, QtGeometry places and measures, QtDialogs and QtClipboard.
// The process-wide set-up (style, icon, quitting) is the caller's, before construction.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/qt/QtContents.h"
#include "platform/qt/QtGeometry.h"
#include "platform/qt/QtInput.h"
#include "platform/qt/QtWindow.h"

class QCloseEvent;

namespace quorvel {

class QtPlatform : public Platform {
 public:
  // Builds the whole window from `design`, which outlives it; not shown yet. Needs a
  // QApplication.
  explicit QtPlatform(const WindowDesign& design);
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  void setEvents(WindowEvents* events) { state_.events = events; }
  // Runs the load handler; unless it ended the program, shows the window centred with the
  // focus in the entry box and runs the event loop. Returns the exit status.
  int run();

  QMainWindow* window() { return window_->main(); }
  // The real widget of a control.
  QWidget* widget(Control control) { return window_->widget(control); }
  bool ended() const { return state_.ended; }
  int exitStatus() const { return exitStatus_; }

  std::optional<float> windowEdge(Edge edge) override { return geometry_.windowEdge(edge); }
  bool setWindowEdge(Edge edge, float twips) override {
    return geometry_.setWindowEdge(edge, twips);
  }
  void setWindowEdges(const WindowEdges& edges) override { geometry_.setWindowEdges(edges); }
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
  void setFocus(Control control) override { input_.setFocus(widget(control)); }

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
  void closeRequested(QCloseEvent* event);

  QtRunState state_;
  int exitStatus_ = 0;
  bool inEventLoop_ = false;
  // Made before the parts that drive it and destroyed before them, by the destructor: the
  // widgets go before what they report to.
  std::unique_ptr<QtWindow> window_;
  QtContents contents_;
  QtInput input_;
  QtGeometry geometry_;
};

}  // namespace quorvel
