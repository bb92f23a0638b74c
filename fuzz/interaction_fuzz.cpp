// Keys, picks, mode switches, language choices and exports in any order on the in-memory window:
// after a key the candidates are master entries in entry order; after every step the pick count
// matches the copy box and the exports hold only what they may.
#include <cstdlib>

#include "app/Form1.h"
#include "support/FakePlatform.h"
#include "support/MemoryFiles.h"

using namespace quorvel;

static void check(bool ok, const char* what) {
  if (ok) return;
  __builtin_fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// One window for the whole run, so the lists are read once; every eighth word of each keeps a
// language choice cheap. Italian holds what the shipped lists lack: digits, capitals, blanks,
// accents, a NUL, a comma.
struct Session {
  testing::MemoryFiles files;
  testing::SeededRandom random;
  FakePlatform ui;
  Form1 form{ui, files, random, "/q"};

  Session() {
    for (auto& [path, bytes] : files.files) {
      const WordItems items = readWordItems(std::exchange(bytes, "")).value();
      for (std::size_t k = 0; k < items.size(); k += 8) bytes.append(items.bytes(k)) += "\r\n";
    }
    files.files["/q/PubItalian.txt"] = std::string(
        "ab1\r\nOK\r\n\"a b\"\r\nZoo\r\n\xC3\x89lan\r\nx`y\r\n\"c,d\"\r\n1234\r\nn\x00ul\r\n\r\nzz",
        56);
    files.files["/q/PubSpanish.txt"] = "";
    ui.attach(form);
    ui.load();
  }
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Session session;
  FakePlatform& ui = session.ui;
  if (session.form.fileName() != "PubEnglish.txt") ui.choose(languageItem("English"));
  ui.typeKey('\b');               // empties the entry box and the candidates
  ui.click(Control::ModeButton);  // empties the copy box
  if (ui.text(Control::ModeButton) != "Words") ui.click(Control::ModeButton);
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const int action = data[i] % 8, arg = data[i + 1];
    if (action == 0) {  // mostly letters and digits, so lookups find something; À to ã; 0 to 35
      ui.typeKey(arg < 104   ? 'a' + arg % 26
                 : arg < 184 ? '0' + arg % 10
                 : arg < 220 ? 0xC0 + arg - 184
                             : arg - 220);
    } else if (action == 1 && ui.itemCount(Control::Candidates) > 0) {
      ui.selectCandidate(arg % ui.itemCount(Control::Candidates));
    } else if (action == 2) {
      ui.click(Control::ModeButton);
    } else if (action == 3) {
      ui.choose({MenuCommand::ChooseLanguage, static_cast<std::size_t>(arg % 6)});
    } else if (action == 4 || action == 5) {
      ui.click(action == 4 ? Control::CopyNumbers : Control::CopyWords);
      for (std::size_t k = 0; k < ui.clipboard.size(); ++k) {
        const char c = ui.clipboard[k];
        const bool word = (c >= '`' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
        check(c == '\r'     ? ui.clipboard[++k] == '\n'
              : action == 4 ? c >= '0' && c <= '9'
                            : word,
              "an export holds a stray byte, or a CR without an LF");
      }
    } else if (action == 6) {
      ui.click(Control::CopyBox);
      check(ui.clipboard == ui.text(Control::CopyBox), "copy-all differs from the copy box");
    } else if (action == 7) {  // a key before the end
      ui.setCaret(arg % 8);
      ui.typeKey(arg % 3 == 0 ? '\b' : 'a' + arg % 26);
    }
    long previous = 0;  // after a key only: a language choice keeps the old list's candidates
    for (const auto& entry :
         action % 7 ? std::vector<std::string>() : ui.items(Control::Candidates)) {
      const long index = std::strtol(entry.c_str(), nullptr, 10);
      check(index > previous && ui.itemAt(Control::WordList, static_cast<int>(index)) == entry,
            "a candidate is not the master list's entry, or out of order");
      previous = index;
    }
    const std::string box = ui.text(Control::CopyBox);
    std::int64_t lines = 0;
    for (std::size_t at = 0; (at = box.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    check(lines == session.form.pickCount(), "pick count differs from the copy box's lines");
  }
  return 0;
}
