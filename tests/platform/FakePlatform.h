// An in-memory window for driving Form1 without a display. It starts from the window's
// design, behaves like the real controls where the logic can tell (caret insertion,
// selection, list order), and records what the logic asked of the toolkit.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace quorvel {

class FakePlatform : public Platform {
 public:
  struct ControlState {
    std::string text;
    std::string toolTip;
    bool visible = true;
    std::vector<std::string> items;
    int selected = -1;
    int columns = 1;
    float width = 0;
  };
  struct Message {
    std::string title, text;
    MessageIcon icon;
    MessageButtons buttons;
  };

  FakePlatform();
  void attach(WindowEvents& events) { events_ = &events; }

  // --- the user's side; each returns false when the window takes no events ---
  bool load();
  // One key with a character code into the entry box, inserted at the caret as the box would.
  bool typeKey(int code);
  bool typeText(std::string_view keys);  // UTF-8, one key per character
  bool selectCandidate(int index);       // click an item of List1
  bool clickOn(Control control);
  bool chooseMenu(MenuItem item);
  bool closeWindow();
  // Caret and selection in Text1, in bytes; the caret sits at the end unless set.
  void setCaret(std::size_t position, std::size_t selectionLength = 0);

  // --- what the logic did ---
  ControlState& state(Control c) { return controls_[c]; }
  std::vector<Message> messages;
  std::deque<MessageAnswer> answers;        // the user's answers, in order; Yes or Ok when empty
  std::vector<std::string> clipboardCalls;  // "clear", then "set" per call
  std::string clipboard;
  std::vector<std::pair<Edge, float>> edgeSets;
  std::vector<bool> inputEnabledCalls;
  int doEventsCalls = 0;
  std::function<void()> duringDoEvents;  // what the user does while pending events run
  bool ended = false;
  int exitStatus = 0;
  int focused = -1;  // the Control with the focus, as int

  // --- the window system's side ---
  float edge[4] = {4000, 3000, 6645, 4800};  // top, left, width, height in twips
  std::optional<float> screen = 16000;
  bool refuseMoves = false;  // a maximised window, or a window system that never moves one
  float minimumSize = 1800;  // the smallest outer width and height the window can take
  double clock = 0;          // seconds
  double clockStep = 0;      // added at every read of the clock
  float twipsPerByte = 105;  // text width in the window's font

  // Platform
  std::optional<float> windowEdge(Edge e) override;
  bool setWindowEdge(Edge e, float twips) override;
  std::optional<float> screenWidth() override { return screen; }
  float textWidth(std::string_view text) override;
  void doEvents() override;
  double monotonicSeconds() override { return clock += clockStep; }
  void endProgram(int status) override;
  void setInputEnabled(bool enabled) override;
  std::string text(Control c) override { return controls_[c].text; }
  void setText(Control c, std::string_view text) override;
  void appendText(Control c, std::string_view more) override { controls_[c].text += more; }
  void setToolTip(Control c, std::string_view tip) override { controls_[c].toolTip = tip; }
  void setVisible(Control c, bool visible) override { controls_[c].visible = visible; }
  void setFocus(Control c) override { focused = static_cast<int>(c); }
  void clearList(Control c) override;
  void appendItem(Control c, std::string_view item) override;
  void appendItems(Control c, std::vector<std::string> items) override;
  void appendRows(Control c, const ListRows& rows) override;
  std::string itemAt(Control c, int index) override;
  int itemCount(Control c) override { return static_cast<int>(controls_[c].items.size()); }
  std::string selectedText(Control c) override;
  float listWidth(Control c) override { return controls_[c].width; }
  void setColumns(Control c, int columns) override { controls_[c].columns = columns; }
  MessageAnswer messageBox(std::string_view title, std::string_view text, MessageIcon icon,
                           MessageButtons buttons) override;
  void clearClipboard() override;
  void setClipboardText(std::string_view text) override;

 private:
  bool accepting() const { return events_ != nullptr && !ended && inputEnabled_; }

  WindowEvents* events_ = nullptr;
  std::map<Control, ControlState> controls_;
  bool inputEnabled_ = true;
  std::optional<std::size_t> caret_;
  std::size_t selectionLength_ = 0;
};

}  // namespace quorvel
