// An arbitrary sequence of keys, picks, mode switches, language choices and exports on the
// in-memory window. After every step: candidates are entries of the master list in entry
// order, the pick count matches the copy box, and the exports hold only what they may.
#include <cstdlib>
#include <map>

#include "app/Form1.h"
#include "support/FakePlatform.h"
#include "support/MemoryFiles.h"
#include "wordlist/WordFile.h"

namespace {

using namespace quorvel;

void check(bool ok, const char* what) {
  if (!ok) __builtin_fprintf(stderr, "invariant broken: %s\n", what), std::abort();
}

// One window for the whole run, put back to its first state before each input: the lists
// are read and folded once per language, not once per input.
struct Session {
  FakePlatform ui;
  testing::MemoryFiles files;
  testing::SeededRandom random;
  Form1 form{ui, files, random, "/q"};
  std::map<std::string, std::vector<std::string>> shown;  // the master list of each file

  Session() {
    // Every eighth word of each list: a language choice then costs a fraction of a
    // millisecond under the sanitizers, not 1.3 ms. Limits at 2048 entries are for the tests.
    for (auto& [path, bytes] : files.files) {
      std::string cut;
      const WordItems items = readWordItems(bytes);
      for (std::size_t k = 0; k < items.size(); k += 8) cut.append(items.bytes(k)).append("\r\n");
      bytes = cut;
    }
    // Words the shipped lists never have: digits, capitals, blanks, accents, a NUL, a comma.
    files.files["/q/PubItalian.txt"] = std::string(
        "ab1\r\nOK\r\n\"a b\"\r\nZoo\r\n\xC3\x89lan\r\nx`y\r\n\"c,d\"\r\n1234\r\nn\x00ul\r\n\r\nzz",
        56);
    files.files["/q/PubSpanish.txt"] = "";
    ui.attach(form);
    ui.load();
  }
  void reset() {
    if (form.FileName != "PubEnglish.txt") ui.choose(MenuItem::En);
    ui.typeKey(8);                 // empties the entry box and the candidates
    ui.click(Control::WordNum);  // empties the copy box
    if (ui.text(Control::WordNum) != "Words") ui.click(Control::WordNum);
  }
  const std::vector<std::string>& master() {
    auto [it, added] = shown.try_emplace(form.FilePath);
    if (added) it->second = ui.items(Control::WordList);
    return it->second;
  }
};

void checkExport(const std::string& text, bool numbers) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool word = (c >= '`' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
    if (c == '\r')
      check(++i < text.size() && text[i] == '\n', "CR without LF");
    else
      check(numbers ? c >= '0' && c <= '9' : word, "export holds a stray byte");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Session session;
  session.reset();
  FakePlatform& ui = session.ui;
  // A language choice keeps the candidates, so they belong to the list of the latest scan.
  const std::vector<std::string>* scanned = &session.master();
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const std::uint8_t arg = data[i + 1];
    switch (data[i] % 8) {
      case 0:  // mostly letters and digits, so lookups find something; then À to ã, codes 0 to 35
        ui.typeKey(arg < 104   ? 'a' + arg % 26
                   : arg < 184 ? '0' + arg % 10
                   : arg < 220 ? 0xC0 + arg - 184
                               : arg - 220);
        scanned = &session.master();
        break;
      case 1:
        if (const int count = ui.itemCount(Control::List1)) ui.selectCandidate(arg % count);
        break;
      case 2:
        ui.click(Control::WordNum);
        break;
      case 3:
        ui.choose(static_cast<MenuItem>(static_cast<int>(MenuItem::Cz) + arg % 6));
        break;
      case 4:
      case 5:
        ui.click(data[i] % 8 == 4 ? Control::Command1 : Control::Command2);
        checkExport(ui.clipboard, data[i] % 8 == 4);
        break;
      case 6:
        ui.click(Control::Text3);
        check(ui.clipboard == ui.text(Control::Text3), "copy-all differs from the copy box");
        break;
      case 7:
        ui.setCaret(arg % 8, arg / 64);
        ui.typeKey(arg % 3 == 0 ? 8 : 'a' + arg % 26);
        scanned = &session.master();
        break;
    }
    long previous = 0;
    for (const auto& entry : ui.state(Control::List1).items) {
      const long index = std::strtol(entry.substr(0, 4).c_str(), nullptr, 10);
      check(index > previous, "candidates out of entry order");
      check(index < static_cast<long>(scanned->size()) && (*scanned)[index] == entry,
            "candidate is not an entry of the master list");
      previous = index;
    }
    const std::string box = ui.text(Control::Text3);
    std::int64_t lines = 0;
    for (std::size_t at = 0; (at = box.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    check(lines == session.form.PickCount, "pick count differs from the copy box's lines");
  }
  return 0;
}
