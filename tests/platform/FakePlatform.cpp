#include "platform/FakePlatform.h"

#include <stdexcept>

#include "lookup/Accents.h"
#include "platform/WindowDesign.h"

namespace quorvel {

FakePlatform::FakePlatform() {
  for (const auto& c : design::kControls) {
    ControlState& s = controls_[c.id];
    s.text = c.text;
    s.toolTip = c.toolTip;
    s.visible = c.visibleAtStart;
    s.width = static_cast<float>(c.width);
  }
}

bool FakePlatform::load() {
  if (!accepting()) return false;
  events_->formLoad();
  if (!ended) focused = static_cast<int>(Control::Text1);
  return true;
}

void FakePlatform::setCaret(std::size_t position, std::size_t selectionLength) {
  caret_ = position;
  selectionLength_ = selectionLength;
}

bool FakePlatform::typeKey(int code) {
  if (!accepting()) return false;
  events_->keyPress(Control::Text1, code);
  std::string& text = controls_[Control::Text1].text;
  std::size_t at = caret_.value_or(text.size());
  std::size_t selected = selectionLength_;
  if (at > text.size()) at = text.size();
  if (selected > text.size() - at) selected = text.size() - at;
  if (code == 8) {  // backspace: removes the selection, or the character before the caret
    if (selected > 0) {
      text.erase(at, selected);
    } else if (at > 0) {
      text.erase(--at, 1);
    }
  } else if (code != 0) {
    std::string typed;
    appendUtf8(typed, static_cast<char16_t>(code));
    text.replace(at, selected, typed);
  }
  caret_.reset();
  selectionLength_ = 0;
  return true;
}

bool FakePlatform::typeText(std::string_view keys) {
  for (std::size_t i = 0; i < keys.size();) {
    const auto lead = static_cast<unsigned char>(keys[i]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    int code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < keys.size(); ++k) {
      code = (code << 6) | (keys[i + k] & 0x3F);
    }
    if (!typeKey(code)) return false;
    i += length;
  }
  return true;
}

bool FakePlatform::selectCandidate(int index) {
  if (!accepting()) return false;
  ControlState& list = controls_[Control::List1];
  if (index < 0 || index >= static_cast<int>(list.items.size())) {
    throw std::out_of_range("no such candidate");
  }
  list.selected = index;
  events_->click(Control::List1);
  return true;
}

bool FakePlatform::clickOn(Control control) {
  if (!accepting()) return false;
  events_->click(control);
  return true;
}

bool FakePlatform::chooseMenu(MenuItem item) {
  if (!accepting()) return false;
  events_->menuClick(item);
  return true;
}

bool FakePlatform::closeWindow() {
  if (!accepting()) return false;
  events_->formUnload();
  return true;
}

std::optional<float> FakePlatform::windowEdge(Edge e) {
  return edge[static_cast<int>(e)];
}

bool FakePlatform::setWindowEdge(Edge e, float twips) {
  edgeSets.emplace_back(e, twips);
  const bool isSize = e == Edge::Width || e == Edge::Height;
  if (refuseMoves || (isSize && twips < minimumSize)) return false;
  edge[static_cast<int>(e)] = twips;
  return true;
}

float FakePlatform::textWidth(std::string_view text) {
  return twipsPerByte * static_cast<float>(text.size());
}

void FakePlatform::doEvents() {
  ++doEventsCalls;
  if (duringDoEvents) duringDoEvents();
}

void FakePlatform::endProgram(int status) {
  if (ended) return;
  ended = true;
  exitStatus = status;
}

void FakePlatform::setInputEnabled(bool enabled) {
  inputEnabledCalls.push_back(enabled);
  inputEnabled_ = enabled;
}

void FakePlatform::setText(Control c, std::string_view text) {
  controls_[c].text = text;
  if (c == Control::Text1) caret_.reset();
}

void FakePlatform::clearList(Control c) {
  controls_[c].items.clear();
  controls_[c].selected = -1;
}

void FakePlatform::appendItem(Control c, std::string_view item) {
  controls_[c].items.emplace_back(item);
}

void FakePlatform::appendItems(Control c, std::vector<std::string> items) {
  auto& list = controls_[c].items;
  list.insert(list.end(), items.begin(), items.end());
}

void FakePlatform::appendRows(Control c, const ListRows& rows) {
  auto& list = controls_[c].items;
  for (std::size_t i = 0; i < rows.rowCount(); ++i) {
    const ListRow row = rows.row(i);
    list.push_back(row.head + std::string(row.tail));
  }
}

std::string FakePlatform::itemAt(Control c, int index) {
  const auto& items = controls_[c].items;
  if (index < 0 || index >= static_cast<int>(items.size())) return {};
  return items[static_cast<std::size_t>(index)];
}

std::string FakePlatform::selectedText(Control c) {
  const ControlState& s = controls_[c];
  return s.selected >= 0 ? s.items[static_cast<std::size_t>(s.selected)] : std::string();
}

MessageAnswer FakePlatform::messageBox(std::string_view title, std::string_view text,
                                       MessageIcon icon, MessageButtons buttons) {
  messages.push_back({std::string(title), std::string(text), icon, buttons});
  if (answers.empty()) {
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
  }
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

void FakePlatform::clearClipboard() {
  clipboardCalls.emplace_back("clear");
  clipboard.clear();
}

void FakePlatform::setClipboardText(std::string_view text) {
  clipboardCalls.emplace_back("set");
  clipboard = text;
}

}  // namespace quorvel
