#include "app/Form1.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "lookup/Accents.h"
#include "lookup/Lookup.h"
#include "picks/Picks.h"
#include "wordlist/Languages.h"
#include "wordlist/PrivateCheck.h"
#include "wordlist/PrivateList.h"
#include "wordlist/WordFile.h"

namespace quorvel {

namespace {

// How long the closing movement may take before the program simply ends: on a huge screen
// or a slow window system the exact steps would otherwise keep the user waiting.
constexpr double kClosingBudgetSeconds = 1.8;

std::int64_t numericValue(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() ? value : 0;
}

Error cannotRead(const std::string& path, const Error& error) {
  return {error.code, "cannot read " + path + ": " + error.message};
}

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

// Warns, before the list is used, of anything that makes its numbers wrong or not private;
// the list loads all the same, so the user is never locked out of their own file.
void Form1::CheckPrivateList(const WordItems& mine) {
  const std::string publicName = "Pub" + FileName.substr(3);
  const auto compared = [&]() -> Result<ItemComparison> {
    Result<std::string> publicFile = files_.readAll(InProgramDir(publicName));
    if (!publicFile) return publicFile.error();
    const WordItems theirs = readWordItems(std::move(publicFile).value());
    const auto itemBytes = [](const WordItems& items) {
      std::vector<std::string_view> views;
      views.reserve(items.size());
      for (const WordItem item : items) views.emplace_back(item.bytes);
      return views;
    };
    return compareItems(itemBytes(mine), itemBytes(theirs));
  };
  const PrivateListFacts facts{
      .path = FilePath,
      .publicName = publicName,
      .items = compared(),
      .file = files_.ownership(FilePath),
      .folderPath = programDir_.string(),
      .folder = files_.ownership(programDir_),
  };
  if (const std::string warning = privateListWarning(facts); !warning.empty()) {
    ui_.messageBox("Warning", warning, MessageIcon::Warning, MessageButtons::Ok);
  }
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

// ---------------------------------------------------------------- private lists

void Form1::LpwClick() {
  Declined = 0;
  FileName = privateFileName(ui_.text(Control::Label1));
  const Result<void> made = CheckFileExistsMake();
  if (Declined == 1 || !made || ended_) return;
  ui_.setText(Control::Label1, listName(FileName));
  LoadWordList();
}

Result<void> Form1::CheckFileExistsMake() {
  if (files_.exists(InProgramDir(FileName))) return {};
  const MessageAnswer answer = ui_.messageBox(
      "Query", "Do You Want To Make Private " + listName(FileName) + " Words Yes No? ",
      MessageIcon::Question, MessageButtons::YesNo);
  if (answer != MessageAnswer::Yes) {
    Declined = 1;
    return {};
  }
  // The label is painted while pending events run; nothing may start another action then.
  ui_.setInputEnabled(false);
  ui_.setVisible(Control::Label3, true);
  ui_.doEvents();
  Result<void> made = CountWords();
  if (made) {
    ui_.setText(Control::txtNum, std::to_string(WordCount));
    ui_.doEvents();
    made = MakeRandomOrder();
    if (made) made = WritePrivateList();
  }
  ui_.setVisible(Control::Label3, false);
  ui_.setInputEnabled(true);
  if (made) return made;
  const Error failure(made.error().code,
                      "Can Not Make " + InProgramDir(FileName).string() + " (" +
                          made.error().message +
                          "). Nothing was written; the list shown stays loaded.");
  ui_.messageBox("Error", failure.message, MessageIcon::Critical, MessageButtons::Ok);
  return failure;
}

Result<void> Form1::CountWords() {
  WordCount = 0;
  Result<std::string> source = files_.readAll(FilePath);
  if (!source) return cannotRead(FilePath, source.error());
  WordCount = static_cast<std::int64_t>(readWordItems(std::move(source).value()).size());
  return {};
}

Result<void> Form1::MakeRandomOrder() {
  const std::int64_t n = numericValue(ui_.text(Control::txtNum));
  if (n <= 0) return {};
  ui_.clearList(Control::lstRand);
  ui_.setColumns(Control::lstRand, columnCount(ui_.listWidth(Control::lstRand),
                                               ui_.textWidth(ui_.text(Control::txtNum))));
  const Result<std::vector<std::int64_t>> order = makeRandomOrder(n, random_);
  if (!order) {
    // Without the system's secure source there is no order worth keeping secret.
    return Error(order.error().code, "no secure random numbers: " + order.error().message);
  }
  std::vector<std::string> positions;
  positions.reserve(order->size());
  for (const std::int64_t position : *order) positions.push_back(std::to_string(position));
  ui_.appendItems(Control::lstRand, std::move(positions));
  return {};
}

Result<void> Form1::WritePrivateList() {
  PrivatePath = InProgramDir(FileName).string();
  Result<std::string> source = files_.readAll(FilePath);
  if (!source) return cannotRead(FilePath, source.error());
  const WordItems items = readWordItems(std::move(source).value());
  if (static_cast<std::int64_t>(items.size()) != WordCount) {
    return Error(std::errc::resource_unavailable_try_again,
                 FilePath + " changed while the private list was made");
  }
  // An empty source gives an empty private file, whatever order an earlier creation left.
  if (items.empty()) return files_.createReadOnly(PrivatePath, {});
  std::vector<std::int64_t> order;
  const int count = ui_.itemCount(Control::lstRand);
  order.reserve(static_cast<std::size_t>(count));
  for (Counter = 0; Counter < count; ++Counter) {
    order.push_back(numericValue(ui_.itemAt(Control::lstRand, static_cast<int>(Counter))));
  }
  const Result<std::string> bytes = privateFileBytes(items, order);
  if (!bytes) return bytes.error();
  return files_.createReadOnly(PrivatePath, *bytes);
}

// ---------------------------------------------------------------- closing

void Form1::ClosingMovement() {
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
