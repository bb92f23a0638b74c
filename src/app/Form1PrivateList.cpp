// The private list: made once on the user's word, from the list loaded last, then checked at
// every load.
#include "app/Form1.h"
#include "wordlist/Languages.h"
#include "wordlist/PrivateCheck.h"
#include "wordlist/PrivateList.h"

namespace quorvel {

void Form1::loadPrivateList() {
  fileName_ = privateFileName(listName(fileName_));
  // A creation killed on a file system without unnamed files leaves a copy of the list under
  // a temporary name; whether this one makes or loads the list, none may stay.
  files_.removeLeftovers(inProgramDir(fileName_));
  const Result<bool> there = CheckFileExistsMake();
  if (!there || !*there || ended_) return;
  ui_.setText(Control::ListName, listName(fileName_));
  LoadWordList();
}

Result<bool> Form1::CheckFileExistsMake() {
  if (files_.exists(inProgramDir(fileName_))) return true;
  const MessageAnswer answer = ui_.messageBox(
      "Query", "Do You Want To Make Private " + listName(fileName_) + " Words Yes No? ",
      MessageIcon::Question, MessageButtons::YesNo);
  if (answer != MessageAnswer::Yes) return false;
  // The banner is painted while pending events run; nothing may start another action then.
  ui_.setInputEnabled(false);
  ui_.setVisible(Control::WorkingBanner, true);
  ui_.doEvents();
  CountWords();
  ui_.doEvents();
  Result<void> made = MakeRandomOrder();
  if (made) made = WritePrivateList();
  ui_.setVisible(Control::WorkingBanner, false);
  ui_.setInputEnabled(true);
  if (made) return true;
  const Error failure(made.error().code,
                      "Can Not Make " + inProgramDir(fileName_).string() + " (" +
                          made.error().message +
                          "). Nothing was written; the list shown stays loaded.");
  ui_.messageBox("Error", failure.message, MessageIcon::Critical, MessageButtons::Ok);
  return failure;
}

void Form1::CountWords() {
  wordCount_ = static_cast<std::int64_t>(words_.size());
}

Result<void> Form1::MakeRandomOrder() {
  Result<std::vector<std::int64_t>> order =
      makeRandomOrder(wordCount_, random_, [this] { ui_.doEvents(); });
  if (!order) {
    // Without the system's secure source there is no order worth keeping secret.
    return Error(order.error().code, "no secure random numbers: " + order.error().message);
  }
  order_ = std::move(order).value();
  return {};
}

Result<void> Form1::WritePrivateList() {
  const Result<std::string> bytes = privateFileBytes(words_, order_);
  if (!bytes) return bytes.error();
  // Each line end grows by its CR: a list near the read limit would be written, then refused
  // at every load.
  if (bytes->size() > kLargestFile) {
    return Error(std::errc::file_too_large, "it would be larger than the 64 MiB a list may be");
  }
  ui_.doEvents();
  return files_.createReadOnly(inProgramDir(fileName_), *bytes);
}

// Warns, before the list is used, of anything that makes its numbers wrong or not private;
// the list loads all the same, so the user is never locked out of their own file.
void Form1::checkPrivateList(const WordItems& mine) {
  const std::string publicName = "Pub" + fileName_.substr(3);
  const auto compared = [&]() -> Result<ItemComparison> {
    Result<std::string> publicFile = files_.readAll(inProgramDir(publicName));
    if (!publicFile) return publicFile.error();
    const Result<WordItems> theirs = readWordItems(std::move(publicFile).value());
    if (!theirs) return theirs.error();
    const auto itemBytes = [](const WordItems& items) {
      std::vector<std::string_view> views;
      views.reserve(items.size());
      for (const WordItem item : items) views.emplace_back(item.bytes);
      return views;
    };
    return compareItems(itemBytes(mine), itemBytes(*theirs));
  };
  const PrivateListFacts facts{
      .path = filePath_,
      .publicName = publicName,
      .items = compared(),
      .file = files_.ownership(inProgramDir(fileName_)),
      .folderPath = programDir_.string(),
      .folder = files_.ownership(programDir_),
  };
  if (const std::string warning = privateListWarning(facts); !warning.empty()) {
    ui_.messageBox("Warning", warning, MessageIcon::Warning, MessageButtons::Ok);
  }
}

}  // namespace quorvel
