#include "app/Form1.h"

#include <algorithm>
#include <utility>

#include "lookup/Accents.h"
#include "lookup/Lookup.h"
#include "picks/Picks.h"
#include "wordlist/Languages.h"
#include "wordlist/WordFile.h"

namespace quorvel {

namespace {

// A window the platform will not move (minimised, maximised, Wayland) would never pass the
// closing movement's end test: a window that has not moved on for this many steps, or this
// long, ends it. One late reply from the window system is neither.
constexpr int kStalledSteps = 8;
constexpr double kStalledSeconds = 0.5;

}  // namespace

std::string missingFileMessage(std::string_view path) {
  return "Can Not Find File " + std::string(path) + " It's Missing Or Corrupted" +
         "           Now Ending";
}

Form1::Form1(Platform& ui, FileSystem& files, RandomSource& random,
             std::filesystem::path programDir)
    : ui_(ui), files_(files), random_(random), programDir_(std::move(programDir)) {}

Form1::~Form1() {
  ui_.clearList(Control::WordList);
}

std::filesystem::path Form1::InProgramDir(std::string_view name) const {
  return programDir_ / std::filesystem::path(name);
}

// ---------------------------------------------------------------- events

void Form1::formLoad() {
  SelectList("English");
}

void Form1::formUnload() {
  ClosingMovement();
}

void Form1::menuClick(MenuItem item) {
  if (ended_) return;
  switch (item) {
    case MenuItem::Ex:
      ended_ = true;
      ui_.endProgram(0);
      return;
    case MenuItem::Lpw:
      LpwClick();
      return;
    case MenuItem::Cz:
      return SelectList("Czech");
    case MenuItem::En:
      return SelectList("English");
    case MenuItem::Fr:
      return SelectList("French");
    case MenuItem::It:
      return SelectList("Italian");
    case MenuItem::Po:
      return SelectList("Portuguese");
    case MenuItem::Spa:
      return SelectList("Spanish");
  }
}

void Form1::keyPress(Control box, int& code) {
  if (!ended_ && box == Control::Text1) Text1KeyPress(code);
}

void Form1::click(Control control) {
  if (ended_) return;
  switch (control) {
    case Control::WordNum:
      return WordNumClick();
    case Control::List1:
      return List1Click();
    case Control::Command1:
      return Command1Click();
    case Control::Command2:
      return Command2Click();
    case Control::Text3:
      return Text3Click();
    default:
      return;
  }
}

// ---------------------------------------------------------------- word lists

void Form1::SelectList(std::string_view language) {
  FileName = publicFileName(language);
  ui_.setText(Control::Label1, listName(FileName));
  LoadWordList();
}

ListRow Form1::MasterRows::row(std::size_t index) const {
  if (index == 0) return {" ", {}};
  return {numberText(static_cast<std::int64_t>(index)) + " ", words_.text(index - 1)};
}

void Form1::LoadWordList() {
  Counter = 0;
  FilePath = InProgramDir(FileName).string();
  Result<std::string> file = files_.readAll(FilePath);
  if (!file) {
    // Unreadable is as bad as missing: a shortened list shown as whole would give wrong
    // numbers without a word of warning.
    ui_.messageBox("Error", missingFileMessage(FilePath), MessageIcon::Critical,
                   MessageButtons::Ok);
    ended_ = true;
    ui_.endProgram(1);
    return;
  }
  WordItems items = readWordItems(std::move(file).value());
  if (FileName.starts_with("Pri")) CheckPrivateList(items);
  // The list reads its rows from the items, so it lets go of them before they are replaced.
  ui_.clearList(Control::WordList);
  words_ = std::move(items);
  FoldWords();
  Counter = static_cast<std::int64_t>(words_.size());
  ui_.appendRows(Control::WordList, masterRows_);
}

// ---------------------------------------------------------------- lookup

void Form1::Text1KeyPress(int& code) {
  code = lowercaseKey(code);
  if (code == kBackspace) {
    ui_.clearList(Control::List1);
    ui_.setText(Control::Text1, "");
    return;
  }
  const InputMode mode = modeFromCaption(ui_.text(Control::WordNum));
  code = acceptedKey(code, mode);
  // A rejected code is 0 and still scans, emptying the candidates.
  KeyText = ui_.text(Control::Text1);
  appendUtf8(KeyText, static_cast<char16_t>(code));
  if (mode == InputMode::Numbers) {
    MatchByNumber();
  } else {
    MatchByWord();
  }
}

void Form1::MatchByNumber() {
  ui_.clearList(Control::List1);
  ui_.appendItems(Control::List1, scanEntries(words_, KeyText, kNumberStart));
}

void Form1::MatchByWord() {
  ui_.clearList(Control::List1);
  const std::vector<std::uint32_t> hits = foldedWords_.find(KeyText);
  std::vector<std::string> found;
  found.reserve(hits.size());
  for (const std::uint32_t k : hits) found.push_back(masterEntry(words_, k));
  ui_.appendItems(Control::List1, std::move(found));
}

// Once per load, so that a key press compares ready accent-free forms. Only the words the
// scan may list are folded.
void Form1::FoldWords() {
  foldedWords_.clear();
  const std::size_t last = std::min(words_.size(), kLastScannedEntry);
  for (std::size_t k = 1; k <= last; ++k) foldedWords_.add(words_.text(k - 1));
}

void Form1::WordNumClick() {
  ui_.setText(Control::Text3, "");
  ui_.setText(Control::Label2, "");
  PickCount = 0;
  if (ui_.text(Control::WordNum) == kWordsCaption) {
    ui_.setText(Control::WordNum, kNumbersCaption);
    ui_.setToolTip(Control::WordNum, kToWordsTip);
  } else {
    ui_.setText(Control::WordNum, kWordsCaption);
    ui_.setToolTip(Control::WordNum, kToNumbersTip);
  }
  ui_.setFocus(Control::Text1);
}

// ---------------------------------------------------------------- picks and exports

void Form1::List1Click() {
  const std::string entry = ui_.selectedText(Control::List1);
  if (entry.empty()) return;  // nothing selected: nothing to pick
  ui_.appendText(Control::Text3, entry + "\r\n");
  ++PickCount;
  ui_.setText(Control::Label2, pickCountCaption(PickCount));
  ui_.setText(Control::Text1, "");
  ui_.clearList(Control::List1);
  ui_.setFocus(Control::Text1);
}

void Form1::PutOnClipboard(const std::string& text) {
  ui_.clearClipboard();
  ui_.setClipboardText(text);
}

void Form1::Command1Click() {
  ui_.setText(Control::Text2, exportWalk(ui_.text(Control::Text3), ExportKind::Numbers));
  PutOnClipboard(ui_.text(Control::Text2));
}

void Form1::Command2Click() {
  const std::string staged = exportWalk(ui_.text(Control::Text3), ExportKind::Words);
  ui_.setText(Control::Text2, dropLastLineEnd(staged));
  PutOnClipboard(ui_.text(Control::Text2));
}

void Form1::Text3Click() {
  PutOnClipboard(ui_.text(Control::Text3));
}

// ---------------------------------------------------------------- closing

void Form1::ClosingMovement() {
  // Every failure is ignored: an edge that cannot be read keeps its place in this step, a
  // change the platform refuses has no effect, and nothing here may keep the program from ending.
  constexpr float kChange[] = {30.0F, 30.0F, -60.0F, -60.0F};  // in the order of Edge
  float lowest = ui_.windowEdge(Edge::Top).value_or(-1.0e30F);
  float rightmost = ui_.windowEdge(Edge::Left).value_or(-1.0e30F);
  double moved = ui_.monotonicSeconds();
  for (int stalled = 0;;) {
    WindowEdges step;
    for (std::size_t e = 0; e < step.size(); ++e) {
      if (const auto value = ui_.windowEdge(static_cast<Edge>(e))) step[e] = *value + kChange[e];
    }
    ui_.setWindowEdges(step);
    const std::optional<float> top = ui_.windowEdge(Edge::Top);
    const std::optional<float> screen = ui_.screenWidth();
    if (!top || !screen || *top > *screen) break;
    // A window manager may keep a part of the window on the screen (openbox keeps a tenth):
    // while its left edge is still on the screen and moving right, the window moves on.
    const float left = ui_.windowEdge(Edge::Left).value_or(rightmost);
    const double now = ui_.monotonicSeconds();
    if (*top > lowest || (left > rightmost && left <= *screen)) {
      lowest = std::max(lowest, *top), rightmost = std::max(rightmost, left);
      moved = now, stalled = 0;
    } else if (++stalled >= kStalledSteps || now - moved > kStalledSeconds) {
      break;
    }
  }
  ended_ = true;
  ui_.endProgram(0);
}

}  // namespace quorvel
