// The program's window on the real widgets and the real file system, driven by keys and clicks
// as a user would. scripts/memcheck.sh runs the first test under valgrind and heaptrack.
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>
#include <fstream>

#include "app/Form1.h"
#include "app/WindowDesign.h"
#include "platform/posix/RealFileSystem.h"
#include "platform/posix/SystemRandom.h"
#include "support/Files.h"
#include "support/QtDriver.h"

namespace quorvel::testing {
namespace {

namespace fs = std::filesystem;

class Session : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir.empty());
    for (const auto& file : fs::directory_iterator(QUORVEL_DATA_DIR)) fs::copy(file.path(), dir);
    ui.setEvents(&form);
  }
  void TearDown() override { fs::remove_all(dir); }

  QLineEdit* box() { return static_cast<QLineEdit*>(ui.widget(Control::EntryBox)); }
  QPlainTextEdit* copyBox() { return static_cast<QPlainTextEdit*>(ui.widget(Control::CopyBox)); }
  void press(Control button) { QTest::mouseClick(ui.widget(button), Qt::LeftButton); }

  fs::path dir = makeScratchDir("quorvel-session");
  QtPlatform ui{windowDesign()};
  RealFileSystem files;
  SystemRandom random;
  Form1 form{ui, files, random, dir};
};

TEST_F(Session, TypePickCopyMakeAPrivateListAndExit) {
  QTimer::singleShot(0, [this] {
    const QRect screen = ui.window()->screen()->availableGeometry();
    EXPECT_LE((ui.window()->frameGeometry().center() - screen.center()).manhattanLength(), 2);
    EXPECT_EQ(ui.window()->focusWidget(), box());
    EXPECT_FALSE(ui.widget(Control::WorkingBanner)->isVisible() || programIcon().isNull());
    EXPECT_EQ(static_cast<QListView*>(ui.widget(Control::WordList))->model()->rowCount(), 2049);
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
      if (line.starts_with("VmRSS:")) std::printf("rss-after-startup-kb %s\n", line.c_str() + 6);
    }

    // Picked by mouse and by keyboard; each pick empties the list it was made in.
    QTest::keyClicks(box(), "zo");
    clickRow(ui.widget(Control::Candidates), 1);
    QTest::keyClicks(box(), "ab");
    QTest::keyClick(ui.widget(Control::Candidates), Qt::Key_End);
    QTest::keyClick(copyBox(), Qt::Key_X);  // read-only: what it shows is what it copies
    EXPECT_EQ(copyBox()->toPlainText(), "2048 zoo\n0010 abuse\n");
    QTest::mouseClick(copyBox()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(QApplication::clipboard()->text(), "2048 zoo\r\n0010 abuse\r\n");

    // By number, enough picks that the copy box scrolls to show the newest.
    press(Control::ModeButton);
    for (int i = 61; i <= 1830; i += 61) {
      QTest::keyClicks(box(), QString::asprintf("%04d", i));
      QTest::keyClick(ui.widget(Control::Candidates), Qt::Key_Down);
    }
    press(Control::CopyNumbers);
    press(Control::CopyWords);
    EXPECT_GT(copyBox()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(copyBox()->verticalScrollBar()->value(), copyBox()->verticalScrollBar()->maximum());

    // A private list: asked for, then made while nothing else can start.
    bool asked = false, busy = false;
    QTimer::singleShot(0, [&] {  // runs inside the question's own event loop
      auto* query = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (query == nullptr) return;
      asked = query->icon() == QMessageBox::Question &&
              query->standardButtons() == (QMessageBox::Yes | QMessageBox::No);
      QTimer::singleShot(0, [&] {  // runs while the list is made
        busy =
            ui.widget(Control::WorkingBanner)->isVisible() && !ui.window()->menuBar()->isEnabled();
      });
      QTest::keyClick(query, Qt::Key_Return);
    });
    menuItem(ui.window(), "Load Private Words")->trigger();
    EXPECT_TRUE(asked && busy);
    EXPECT_FALSE(ui.widget(Control::WorkingBanner)->isVisible());
    EXPECT_EQ(static_cast<QLabel*>(ui.widget(Control::ListName))->text(), "PriEnglish");
    EXPECT_EQ(ui.window()->focusWidget(), ui.widget(Control::CopyWords));  // back where it was

    menuItem(ui.window(), "Exit")->trigger();
    ui.endProgram(99);  // only if Exit did not end the program: a status the test rejects
  });
  EXPECT_EQ(ui.run(), 0);
}

// The window system's close ends in 2 s, Exit (QUORVEL_END=exit) at once; wayland.sh runs it too.
TEST_F(Session, OnWaylandTheCloseEndsInTwoSecondsAndExitAtOnce) {
  const bool exit = qEnvironmentVariable("QUORVEL_END") == "exit";
  QElapsedTimer clock;
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(ui.window()));
    clock.start();
    exit ? menuItem(ui.window(), "Exit")->trigger() : void(ui.window()->windowHandle()->close());
  });
  EXPECT_EQ(ui.run(), 0);
  EXPECT_LT(clock.elapsed(), exit ? 300 : 2000);
}

}  // namespace
}  // namespace quorvel::testing
