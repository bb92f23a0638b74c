// An arbitrary sequence of keys, picks, mode switches, language choices and exports on the
// in-memory window. After every step: candidates are entries of the master list in entry
// order, the pick count matches the copy box, and the exports hold only what they may.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/Form1.h"
#include "app/MemoryFileSystem.h"
#include "platform/FakePlatform.h"
#include "wordlist/Languages.h"

namespace {

using quorvel::Control;
using quorvel::MenuItem;

void check(bool ok, const char* what) {
  if (!ok) {
    __builtin_fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

const std::filesystem::path kDir = "/quorvel";

const quorvel::testing::MemoryFileSystem& baseFiles() {
  static const quorvel::testing::MemoryFileSystem files = [] {
    quorvel::testing::MemoryFileSystem fs;
    for (const auto language : quorvel::kLanguages) {
      const std::string name = quorvel::publicFileName(language);
      std::ifstream in(std::filesystem::path(QUORVEL_DATA_DIR) / name, std::ios::binary);
      std::ostringstream bytes;
      bytes << in.rdbuf();
      fs.files[(kDir / name).string()] = bytes.str();
    }
    // Words the shipped lists never have: digits, capitals, blanks, accents, a NUL, a comma.
    fs.files[(kDir / "PubItalian.txt").string()] = std::string(
        "ab1\r\nOK\r\n\"a b\"\r\nZoo\r\n\xC3\x89lan\r\nx`y\r\n\"c,d\"\r\n1234\r\nn\x00ul\r\n\r\nzz",
        56);
    fs.files[(kDir / "PubSpanish.txt").string()] = "";
    return fs;
  }();
  return files;
}

// A language choice keeps the candidates, so they belong to the list of the latest scan.
void checkCandidates(quorvel::FakePlatform& ui, const std::vector<std::string>& master) {
  long previous = 0;
  for (const auto& entry : ui.state(Control::List1).items) {
    check(entry.size() >= 5, "candidate too short");
    const long index = std::strtol(entry.substr(0, 4).c_str(), nullptr, 10);
    check(index > previous, "candidates out of entry order");
    check(index < static_cast<long>(master.size()) && master[index] == entry,
          "candidate is not an entry of the master list");
    previous = index;
  }
}

void checkPicks(quorvel::FakePlatform& ui, const quorvel::Form1& form) {
  const std::string box = ui.text(Control::Text3);
  std::int64_t lines = 0;
  for (std::size_t at = box.find("\r\n"); at != std::string::npos; at = box.find("\r\n", at + 2)) {
    ++lines;
  }
  check(lines == form.PickCount, "pick count differs from the copy box's lines");
}

void checkExport(const std::string& text, bool numbers) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      check(i + 1 < text.size() && text[i + 1] == '\n', "CR without LF");
      ++i;
      continue;
    }
    const bool word = (c >= '`' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
    check(numbers ? (c >= '0' && c <= '9') : word, "export holds a stray byte");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quorvel::FakePlatform ui;
  quorvel::testing::MemoryFileSystem files = baseFiles();
  quorvel::testing::SeededRandom random(size);
  quorvel::Form1 form(ui, files, random, kDir);
  ui.attach(form);
  ui.load();
  static constexpr MenuItem kLanguagesMenu[] = {MenuItem::Cz, MenuItem::En, MenuItem::Fr,
                                                MenuItem::It, MenuItem::Po, MenuItem::Spa};
  // The master list of each file, as the window showed it; files do not change here.
  std::map<std::string, std::vector<std::string>> shown;
  std::string scannedPath = form.FilePath;
  shown[scannedPath] = ui.state(Control::WordList).items;
  for (std::size_t i = 0; i + 1 < size && !ui.ended; i += 2) {
    const std::uint8_t arg = data[i + 1];
    switch (data[i] % 8) {
      case 0:  // mostly letters and digits, so lookups find something; then À to ã, codes 0 to 35
        ui.typeKey(arg < 104   ? 'a' + arg % 26
                   : arg < 184 ? '0' + arg % 10
                   : arg < 220 ? 0xC0 + arg - 184
                               : arg - 220);
        break;
      case 1: {
        const int count = ui.itemCount(Control::List1);
        if (count > 0) ui.selectCandidate(arg % count);
        break;
      }
      case 2:
        ui.clickOn(Control::WordNum);
        break;
      case 3:
        ui.chooseMenu(kLanguagesMenu[arg % 6]);
        break;
      case 4:
        ui.clickOn(Control::Command1);
        checkExport(ui.clipboard, true);
        break;
      case 5:
        ui.clickOn(Control::Command2);
        checkExport(ui.clipboard, false);
        break;
      case 6:
        ui.clickOn(Control::Text3);
        check(ui.clipboard == ui.text(Control::Text3), "copy-all differs from the copy box");
        break;
      case 7:
        ui.setCaret(arg % 8, arg / 64);
        ui.typeKey(arg % 3 == 0 ? 8 : 'a' + arg % 26);
        break;
    }
    if (!shown.count(form.FilePath)) shown[form.FilePath] = ui.state(Control::WordList).items;
    if (data[i] % 8 == 0 || data[i] % 8 == 7) scannedPath = form.FilePath;
    checkCandidates(ui, shown[scannedPath]);
    checkPicks(ui, form);
  }
  return 0;
}
