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

// How long the closing movement may take before the program simply ends: on a huge screen
// or a slow window system the exact steps would otherwise keep the user waiting.
constexpr double kClosingBudgetSeconds = 1.8;

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
  ui_.appendItems(Control::Candidates, scanEntries(words_, keyText_, kNumberStart));
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
  const std::string line = entry + "\r\n";
  copyBox_ += line;
  ui_.appendText(Control::CopyBox, line);
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
  const double deadline = ui_.monotonicSeconds() + kClosingBudgetSeconds;
  // Every failure is ignored: a read that fails skips its step, a set the platform refuses
  // has no effect, and nothing here may keep the program from ending.
  const auto shift = [this](Edge edge, float delta) {
    if (const auto value = ui_.windowEdge(edge)) ui_.setWindowEdge(edge, *value + delta);
  };
  std::optional<float> previousTop = ui_.windowEdge(Edge::Top);
  for (;;) {
    shift(Edge::Top, 30.0F);
    shift(Edge::Left, 30.0F);
    shift(Edge::Width, -60.0F);
    shift(Edge::Height, -60.0F);
    const std::optional<float> top = ui_.windowEdge(Edge::Top);
    const std::optional<float> screen = ui_.screenWidth();
    if (!top || !screen || *top > *screen) break;
    // A window the platform will not move (minimised, maximised, Wayland) would never get
    // past the end test.
    if (!previousTop || !(*top > *previousTop)) break;
    if (ui_.monotonicSeconds() > deadline) break;
    previousTop = top;
  }
  ended_ = true;
  ui_.endProgram(0);
}

}  // namespace quorvel
