// The private list: made once on the user's word, then checked at every load.
#include <charconv>

#include "app/Form1.h"
#include "wordlist/Languages.h"
#include "wordlist/PrivateCheck.h"
#include "wordlist/PrivateList.h"

namespace quorvel {

namespace {

std::int64_t numericValue(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() ? value : 0;
}

Error cannotRead(const std::string& path, const Error& error) {
  return {error.code, "cannot read " + path + ": " + error.message};
}

}  // namespace

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

}  // namespace quorvel
