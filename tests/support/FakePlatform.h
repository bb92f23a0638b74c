// An in-memory window for driving Form1 without a display. It starts from the window's
// design, acts like the real controls where the logic can tell (caret insertion, selection,
// list order, rows read in place), and records what the logic asked of the toolkit.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>

#include "app/WindowDesign.h"
#include "platform/ListStore.h"
#include "wordlist/Languages.h"
#include "wordlist/Utf8.h"

namespace quorvel {

inline constexpr MenuCommand kLoadPrivateList{MenuCommand::LoadPrivateList};
inline constexpr MenuCommand kExit{MenuCommand::Exit};
// The Language menu's item for `language`, one of kLanguages.
inline MenuCommand languageItem(std::string_view language) {
  const auto at = std::find(kLanguages.begin(), kLanguages.end(), language);
  return {MenuCommand::ChooseLanguage, static_cast<std::size_t>(at - kLanguages.begin())};
}

class FakePlatform : public Platform {
 public:
  struct ControlState {
    std::string text, toolTip;
    bool visible;
    ListStore rows;  // kept as the real lists keep them
    int selected = -1;
  };

  FakePlatform() {
    for (const auto& c : windowDesign().controls)
      controls_[c.id] = {std::string(c.text), std::string(c.toolTip), c.visibleAtStart, {}};
  }
  void attach(WindowEvents& events) { events_ = &events; }

  // The user's side; each returns false when the window takes no events.
  bool load() {
    focused = Control::EntryBox;  // the first control that takes the focus
    return deliver(&WindowEvents::onLoad);
  }
  bool click(Control c) { return deliver(&WindowEvents::onClick, c); }
  bool choose(MenuCommand command) { return deliver(&WindowEvents::onMenu, command); }
  bool close() { return deliver(&WindowEvents::onClose); }
  bool selectCandidate(int index) {
    state(Control::Candidates).selected = index;
    return click(Control::Candidates);
  }
  // A key into the entry box: the handler sees it first, then the box puts in what it
  // leaves at the caret; backspace takes the character before.
  bool typeKey(int code) {
    if (!live()) return false;
    code = events_->onEntryKey(code);
    std::string& text = state(Control::EntryBox).text;
    const std::size_t at = std::min(caret_.value_or(text.size()), text.size());
    std::string typed;
    if (code != '\b' && code != 0) appendUtf8(typed, static_cast<char16_t>(code));
    text.insert(at, typed);
    if (code == '\b' && at > 0) text.erase(at - 1, 1);
    caret_.reset();
    return true;
  }
  void setCaret(std::size_t at) { caret_ = at; }

  // What the logic did, and what the window system does.
  ControlState& state(Control c) { return controls_.at(c); }
  std::vector<std::string> items(Control list) {
    std::vector<std::string> out;
    for (int i = 0; i < itemCount(list); ++i) out.push_back(itemAt(list, i));
    return out;
  }
  std::vector<std::string> messages;  // each as "Title: text (icon, buttons)"
  std::deque<MessageAnswer> answers;  // the user's, in order; Yes or Ok when none is left
  std::string clipboard;
  int edgeSets = 0, doEventsCalls = 0, exitStatus = -1;  // -1: still running
  std::function<void()> duringDoEvents = [] {};
  Control focused = Control::AboutStrip;     // a label, which never takes the focus
  float edge[4] = {4000, 3000, 6645, 4800};  // top, left, width, height in twips
  std::optional<float> screen = 16000;
  int refusals = 0;  // sets refused before the window moves again; a maximised one: all
  double clock = 0, clockStep = 0;  // seconds; the step is added at every read

  std::optional<float> windowEdge(Edge e) override { return edge[static_cast<int>(e)]; }
  bool setWindowEdge(Edge e, float twips) override {
    ++edgeSets;  // 1800 twips: the smallest outer width and height the window can take
    if ((refusals > 0 && refusals--) || (e >= Edge::Width && twips < 1800)) return false;
    edge[static_cast<int>(e)] = twips;
    return true;
  }
  std::optional<float> screenWidth() override { return screen; }
  void doEvents() override {
    ++doEventsCalls;
    duringDoEvents();
  }
  double monotonicSeconds() override { return clock += clockStep; }
  void endProgram(int status) override { exitStatus = exitStatus < 0 ? status : exitStatus; }
  void setInputEnabled(bool enabled) override { inputEnabled_ = enabled; }
  std::string text(Control c) override { return state(c).text; }
  void setText(Control c, std::string_view text) override {
    state(c).text = text;
    if (c == Control::EntryBox) caret_.reset();
  }
  void setToolTip(Control c, std::string_view tip) override { state(c).toolTip = tip; }
  void setVisible(Control c, bool visible) override { state(c).visible = visible; }
  void setFocus(Control c) override { focused = c; }
  void clearList(Control c) override {
    state(c) = {text(c), state(c).toolTip, state(c).visible, {}};
  }
  void appendItems(Control c, std::vector<std::string> items) override {
    state(c).rows.append(std::move(items));
  }
  void appendRows(Control c, const ListRows& rows) override { state(c).rows.append(rows); }
  std::string itemAt(Control c, int i) { return i < 0 ? "" : state(c).rows.item(i); }
  int itemCount(Control c) { return static_cast<int>(state(c).rows.count()); }
  std::string selectedText(Control c) override { return itemAt(c, state(c).selected); }
  MessageAnswer messageBox(std::string_view title, std::string_view text, MessageIcon icon,
                           MessageButtons buttons) override {
    const char* icons[] = {"Critical", "Question", "Warning"};
    messages.push_back(std::string(title) + ": " + std::string(text) + " (" +
                       icons[static_cast<int>(icon)] +
                       (buttons == MessageButtons::Ok ? ", Ok)" : ", YesNo)"));
    if (answers.empty())
      return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void clearClipboard() override { clipboard.clear(); }
  void setClipboardText(std::string_view text) override { clipboard = text; }

 private:
  bool live() const { return events_ != nullptr && exitStatus < 0 && inputEnabled_; }
  bool deliver(auto event, auto... args) {
    const bool taken = live();
    if (taken) std::invoke(event, *events_, args...);
    return taken;
  }

  WindowEvents* events_ = nullptr;
  std::map<Control, ControlState> controls_;
  bool inputEnabled_ = true;
  std::optional<std::size_t> caret_;
};

}  // namespace quorvel
