// Runs the real window on Qt's offscreen platform and puts it through a whole session as a
// user would: start-up, lookups by number and by word, picks, the three exports, a private
// list, File > Exit. Made to run under valgrind or heaptrack, so every path a session takes
// allocates and frees as it would on a desktop; it checks what each step did, so a run that
// silently skipped a step cannot pass for a clean one.
//
// usage: drive_window PROGRAM-DIR
//   PROGRAM-DIR holds copies of the Pub*.txt word files and no PriEnglish.txt yet.
// Prints "rss-after-startup-kb N" and a summary; exits 0 only when every step did its job.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "lookup/Lookup.h"
#include "platform/posix/RealFileSystem.h"
#include "platform/posix/SystemRandom.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtStyle.h"

namespace {

using quorvel::Control;

constexpr int kLookups = 50;
constexpr int kNumberLookups = 10;  // of kLookups; the rest go by word
constexpr int kPicks = 20;

// Resident size now, from the kernel's own accounting (valgrind would distort it).
long residentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

class Session {
 public:
  Session(quorvel::QtPlatform& ui, quorvel::Form1& form, std::filesystem::path dir)
      : ui_(ui), form_(form), dir_(std::move(dir)) {}

  void run() {
    startUp();
    lookUpByNumber();
    lookUpByWord();
    pick();
    exportAll();
    makePrivateList();
    exitByMenu();
  }

  int failures() const { return failures_; }
  void summary() const {
    std::printf("words loaded          %d (public), %d (private)\n", publicEntries_,
                privateEntries_);
    std::printf("lookups               %d (%d by number, %d by word), %d candidates seen\n",
                lookups_, kNumberLookups, lookups_ - kNumberLookups, candidatesSeen_);
    std::printf("picks                 %d\n", picks_);
    std::printf("clipboard bytes       num %zu, word %zu, copy box %zu\n", numBytes_, wordBytes_,
                boxBytes_);
    std::printf("private list          %s\n", privateMade_ ? "made and loaded" : "NOT made");
    std::printf("failed checks         %d\n", failures_);
  }

 private:
  bool check(bool ok, const std::string& what) {
    if (!ok) {
      ++failures_;
      std::fprintf(stderr, "drive_window: FAILED: %s\n", what.c_str());
    }
    return ok;
  }

  template <typename T>
  T* as(Control control) {
    return static_cast<T*>(ui_.widget(control));
  }

  QAction* menuAction(const QString& caption) {
    for (QAction* title : ui_.window()->menuBar()->actions()) {
      for (QAction* action : title->menu()->actions()) {
        if (action->text().remove(QLatin1Char('&')) == caption) return action;
      }
    }
    return nullptr;
  }

  void startUp() {
    check(QTest::qWaitForWindowExposed(ui_.window()), "the window was never exposed");
    QApplication::processEvents();
    std::printf("rss-after-startup-kb %ld\n", residentKilobytes());
    // Row 0 of the master list is a blank entry, not a word.
    publicEntries_ = ui_.itemCount(Control::WordList) - 1;
    check(publicEntries_ > 0, "no word list loaded at start-up");
    check(QApplication::focusWidget() == ui_.widget(Control::Text1),
          "the entry box does not have the focus after start-up");
  }

  // Types keys into the entry box one by one, as a keyboard delivers them.
  void type(const std::string& keys) {
    auto* box = as<QLineEdit>(Control::Text1);
    for (char c : keys) QTest::keyClick(box, c);
  }

  void clearEntry() {
    QTest::keyClick(as<QLineEdit>(Control::Text1), Qt::Key_Backspace);
    check(ui_.itemCount(Control::List1) == 0, "Backspace left candidates behind");
    check(ui_.text(Control::Text1).empty(), "Backspace left text in the entry box");
  }

  // One lookup: a prefix taken from a real entry must find that entry among the candidates.
  void lookUp(const std::string& keys, const std::string& entry) {
    type(keys);
    ++lookups_;
    const int count = ui_.itemCount(Control::List1);
    candidatesSeen_ += count;
    bool found = false;
    for (int i = 0; i < count && !found; ++i) found = ui_.itemAt(Control::List1, i) == entry;
    check(found, "typing \"" + keys + "\" did not offer \"" + entry + "\"");
  }

  std::string entry(int index) { return ui_.itemAt(Control::WordList, index); }
  int lastEntry() { return ui_.itemCount(Control::WordList) - 1; }

  void toggleMode() { QTest::mouseClick(as<QPushButton>(Control::WordNum), Qt::LeftButton); }

  void lookUpByNumber() {
    toggleMode();
    check(ui_.text(Control::WordNum) == quorvel::kNumbersCaption, "no switch to number input");
    for (int i = 0; i < kNumberLookups; ++i) {
      const std::string& e = entry(1 + (i * 197) % lastEntry());
      lookUp(e.substr(0, 2 + i % 3), e);
      clearEntry();
    }
    toggleMode();
    check(ui_.text(Control::WordNum) == quorvel::kWordsCaption, "no switch back to word input");
  }

  static std::string wordOf(const std::string& e) { return e.substr(e.find(' ') + 1); }

  void lookUpByWord() {
    for (int i = kNumberLookups; i < kLookups; ++i) {
      const std::string& e = entry(1 + (i * 41) % lastEntry());
      const std::string word = wordOf(e);
      lookUp(word.substr(0, std::min<std::size_t>(word.size(), 1 + i % 3)), e);
      clearEntry();
    }
  }

  void pick() {
    auto* list = as<QListView>(Control::List1);
    for (int i = 0; i < kPicks; ++i) {
      const std::string word = wordOf(entry(1 + (i * 103) % lastEntry()));
      type(word.substr(0, std::min<std::size_t>(word.size(), 2)));
      const int count = list->model()->rowCount();
      if (!check(count > 0, "no candidates to pick from")) continue;
      const int row = i % count;
      const std::string chosen = ui_.itemAt(Control::List1, row);
      list->scrollTo(list->model()->index(row, 0));
      const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
      if (!check(ui_.itemCount(Control::List1) == 0,
                 "clicking \"" + chosen + "\" picked nothing")) {
        continue;
      }
      ++picks_;
      expectedBox_ += chosen + "\r\n";
      expectedNumbers_ += chosen.substr(0, chosen.find(' ')) + "\r\n";
      expectedWords_ += (expectedWords_.empty() ? "" : "\r\n") + wordOf(chosen);
    }
    check(ui_.text(Control::Text3) == expectedBox_, "the copy box does not hold the picks");
  }

  std::string clipboard() { return QApplication::clipboard()->text().toStdString(); }

  void exportAll() {
    QTest::mouseClick(as<QPushButton>(Control::Command1), Qt::LeftButton);
    const std::string numbers = clipboard();
    numBytes_ = numbers.size();
    check(numbers == expectedNumbers_, "Copy Num put the wrong bytes on the clipboard");

    QTest::mouseClick(as<QPushButton>(Control::Command2), Qt::LeftButton);
    const std::string words = clipboard();
    wordBytes_ = words.size();
    check(words == expectedWords_, "Copy Word put the wrong bytes on the clipboard");

    QTest::mouseClick(as<QPlainTextEdit>(Control::Text3)->viewport(), Qt::LeftButton, {},
                      QPoint(5, 5));
    const std::string box = clipboard();
    boxBytes_ = box.size();
    check(box == expectedBox_, "a click in the copy box put the wrong bytes on the clipboard");
  }

  void makePrivateList() {
    QAction* load = menuAction(QStringLiteral("Load Private Words"));
    if (!check(load != nullptr, "no \"Load Private Words\" menu item")) return;
    bool asked = false;
    // The Query box runs its own event loop; the answer comes from inside it.
    QTimer::singleShot(0, [&asked] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || box->windowTitle() != QLatin1String("Query")) return;
      asked = true;
      box->button(QMessageBox::Yes)->click();
    });
    const std::string before = ui_.text(Control::Label1);
    load->trigger();
    check(asked, "no Query box before making the private list");
    const std::filesystem::path made = dir_ / "PriEnglish.txt";
    privateMade_ = check(std::filesystem::is_regular_file(made), "no " + made.string()) &&
                   check(ui_.text(Control::Label1) != before, "the private list was not loaded");
    privateEntries_ = ui_.itemCount(Control::WordList) - 1;
    check(privateEntries_ == publicEntries_, "the private list has a different length");
    // One lookup and pick on the private list, so its entries pass through the same paths.
    const std::string word = wordOf(entry(1));
    type(word.substr(0, 1));
    check(ui_.itemCount(Control::List1) > 0, "no candidates in the private list");
    clearEntry();
  }

  void exitByMenu() {
    QAction* exit = menuAction(QStringLiteral("Exit"));
    if (!check(exit != nullptr, "no \"Exit\" menu item")) return;
    exit->trigger();
    check(ui_.ended(), "File > Exit did not end the program");
  }

  quorvel::QtPlatform& ui_;
  quorvel::Form1& form_;
  std::filesystem::path dir_;
  int failures_ = 0;
  int publicEntries_ = 0;
  int privateEntries_ = 0;
  int lookups_ = 0;
  int candidatesSeen_ = 0;
  int picks_ = 0;
  std::size_t numBytes_ = 0;
  std::size_t wordBytes_ = 0;
  std::size_t boxBytes_ = 0;
  bool privateMade_ = false;
  std::string expectedBox_;
  std::string expectedNumbers_;
  std::string expectedWords_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || !std::filesystem::is_directory(argv[1])) {
    std::fprintf(stderr, "usage: %s PROGRAM-DIR (holding copies of the Pub*.txt files)\n",
                 argc > 0 ? argv[0] : "drive_window");
    return 2;
  }
  const std::filesystem::path dir = std::filesystem::absolute(argv[1]);
  if (std::filesystem::exists(dir / "PriEnglish.txt")) {
    // An existing private list skips the Query box and the whole making of one.
    std::fprintf(stderr, "drive_window: %s already holds PriEnglish.txt\n", dir.c_str());
    return 2;
  }
  // A display is neither needed nor wanted: the run must be the same on any machine.
  qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  // As the program sets up the process.
  QApplication::setStyle(quorvel::makeProgramStyle());
  QApplication::setQuitOnLastWindowClosed(false);
  quorvel::QtPlatform ui;
  quorvel::RealFileSystem files;
  quorvel::SystemRandom random;
  quorvel::Form1 form(ui, files, random, dir);
  ui.setEvents(&form);

  Session session(ui, form, dir);
  // Queued now, it runs once run() has loaded the list, shown the window and started the loop.
  QTimer::singleShot(0, [&session] { session.run(); });
  const int status = ui.run();

  session.summary();
  std::printf("exit status           %d\n", status);
  if (status != 0 || session.failures() != 0) return 1;
  return 0;
}
