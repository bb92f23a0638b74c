#include "app/Form1.h"

#include <algorithm>
#include <utility>

#include "app/WindowDesign.h"
#include "picks/Picks.h"
#include "wordlist/Languages.h"
#include "wordlist/ListEntry.h"
#include "wordlist/Utf8.h"

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

std::filesystem::path Form1::inProgramDir(std::string_view name) const {
  return programDir_ / std::filesystem::path(name);
}

// ---------------------------------------------------------------- events

void Form1::onLoad() {
  selectList("English");
}

void Form1::onClose() {
  closingMovement();
}

void Form1::onMenu(MenuCommand command) {
  if (ended_) return;
  switch (command.kind) {
    case MenuCommand::Exit:
      ended_ = true;
      ui_.endProgram(0);
      return;
    case MenuCommand::LoadPrivateList:
      return loadPrivateList();
    case MenuCommand::ChooseLanguage:
      if (command.language < kLanguages.size()) selectList(kLanguages[command.language]);
      return;
  }
}

void Form1::onClick(Control control) {
  if (ended_) return;
  switch (control) {
    case Control::ModeButton:
      return switchMode();
    case Control::Candidates:
      return onCandidateChosen();
    case Control::CopyNumbers:
      return copyNumbers();
    case Control::CopyWords:
      return copyWords();
    case Control::CopyBox:
      return copyAll();
    default:
      return;
  }
}

// ---------------------------------------------------------------- word lists

void Form1::selectList(std::string_view language) {
  fileName_ = publicFileName(language);
  ui_.setText(Control::ListName, listName(fileName_));
  LoadWordList();
}

ListRow Form1::MasterRows::row(std::size_t index) const {
  if (index == 0) return {" ", {}};
  return {numberText(static_cast<std::int64_t>(index)) + " ", words_.text(index - 1)};
}

void Form1::LoadWordList() {
  filePath_ = inProgramDir(fileName_).string();
  Result<WordItems> items = [this]() -> Result<WordItems> {
    // The path itself, not its text: on Windows the text is UTF-8, which a path made from a
    // narrow string would read in the system's code page.
    Result<std::string> file = files_.readAll(inProgramDir(fileName_));
    if (!file) return file.error();
    return readWordItems(std::move(file).value());
  }();
  if (!items) {
    // Unreadable is as bad as missing: a shortened list shown as whole would give wrong
    // numbers without a word of warning.
    ui_.messageBox("Error", missingFileMessage(filePath_), MessageIcon::Critical,
                   MessageButtons::Ok);
    ended_ = true;
    ui_.endProgram(1);
    return;
  }
  if (fileName_.starts_with("Pri")) checkPrivateList(*items);
  // The list reads its rows from the items, so it lets go of them before they are replaced.
  ui_.clearList(Control::WordList);
  words_ = std::move(items).value();
  foldWords();
  ui_.appendRows(Control::WordList, masterRows_);
}

// ---------------------------------------------------------------- lookup

int Form1::onEntryKey(int code) {
  if (ended_) return 0;
  code = lowercaseKey(code);
  if (code == kBackspace) {
    ui_.clearList(Control::Candidates);
    ui_.setText(Control::EntryBox, "");
    return code;
  }
  code = acceptedKey(code, mode_);
  // A rejected code is 0 and still scans, emptying the candidates.
  keyText_ = ui_.text(Control::EntryBox);
  appendUtf8(keyText_, static_cast<char16_t>(code));
  if (mode_ == InputMode::Numbers) {
    MatchByNumber();
  } else {
    MatchByWord();
  }
  return code;
}

void Form1::MatchByNumber() {
  ui_.clearList(Control::Candidates);
  ui_.appendItems(Control::Candidates, scanNumbers(words_, keyText_));
}

void Form1::MatchByWord() {
  ui_.clearList(Control::Candidates);
  const std::vector<std::uint32_t> hits = foldedWords_.find(keyText_);
  std::vector<std::string> found;
  found.reserve(hits.size());
  for (const std::uint32_t k : hits) found.push_back(masterEntry(words_, k));
  ui_.appendItems(Control::Candidates, std::move(found));
}

// Once per load, so that a key press compares ready accent-free forms. Only the words the
// scan may list are folded.
void Form1::foldWords() {
  foldedWords_.clear();
  const std::size_t last = std::min(words_.size(), kLastScannedEntry);
  for (std::size_t k = 1; k <= last; ++k) foldedWords_.add(words_.text(k - 1));
}

void Form1::switchMode() {
  copyBox_.clear();
  ui_.setText(Control::CopyBox, "");
  pickCount_ = 0;
  ui_.setText(Control::PickCount, "");
  mode_ = mode_ == InputMode::Words ? InputMode::Numbers : InputMode::Words;
  ui_.setText(Control::ModeButton, modeCaption(mode_));
  ui_.setToolTip(Control::ModeButton, modeToolTip(mode_));
  ui_.setFocus(Control::EntryBox);
}

// ---------------------------------------------------------------- picks and exports

void Form1::onCandidateChosen() {
  const std::string entry = ui_.selectedText(Control::Candidates);
  if (entry.empty()) return;  // nothing selected: nothing to pick
  // No copy of the entry: a word may be tens of megabytes long.
  copyBox_.append(entry).append("\r\n");
  ui_.appendText(Control::CopyBox,
                 std::string_view(copyBox_).substr(copyBox_.size() - entry.size() - 2));
  ++pickCount_;
  ui_.setText(Control::PickCount, pickCountCaption(pickCount_));
  ui_.setText(Control::EntryBox, "");
  ui_.clearList(Control::Candidates);
  ui_.setFocus(Control::EntryBox);
}

void Form1::putOnClipboard(const std::string& text) {
  ui_.clearClipboard();
  ui_.setClipboardText(text);
}

void Form1::copyNumbers() {
  putOnClipboard(exportWalk(copyBox_, ExportKind::Numbers));
}

void Form1::copyWords() {
  putOnClipboard(dropLastLineEnd(exportWalk(copyBox_, ExportKind::Words)));
}

void Form1::copyAll() {
  putOnClipboard(copyBox_);
}

// ---------------------------------------------------------------- closing

void Form1::closingMovement() {
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
