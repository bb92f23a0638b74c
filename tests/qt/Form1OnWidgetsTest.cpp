// The whole window: Form1 on the real widgets and the real file system, driven with keys and
// clicks as a user would, with what lands on the real clipboard checked byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>

#include "QtTestSupport.h"
#include "app/Form1.h"
#include "platform/posix/RealFileSystem.h"
#include "platform/posix/SystemRandom.h"
#include "support/Files.h"

namespace quorvel::qttest {
namespace {

namespace fs = std::filesystem;

class WholeWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = testing::makeScratchDir("quorvel-window");
    ASSERT_FALSE(dir.empty());
    for (const auto& entry : fs::directory_iterator(QUORVEL_DATA_DIR)) {
      if (entry.path().extension() == ".txt")
        fs::copy_file(entry.path(), dir / entry.path().filename());
    }
    form = std::make_unique<Form1>(platform, files, random, dir);
    platform.setEvents(form.get());
    form->formLoad();
    platform.window()->show();
    QApplication::setActiveWindow(platform.window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(platform.window()));
    platform.setFocus(Control::Text1);
    box = static_cast<QLineEdit*>(platform.widget(Control::Text1));
    candidates = static_cast<QListView*>(platform.widget(Control::List1));
  }
  void TearDown() override {
    // The master list's rows go with the form; the window must not go on showing them.
    form.reset();
    EXPECT_EQ(platform.itemCount(Control::WordList), 0);
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(dir, ignored)) {
      fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(dir, ignored);
  }

  std::vector<std::string> listed() {
    std::vector<std::string> items;
    for (int i = 0; i < candidates->model()->rowCount(); ++i)
      items.push_back(candidates->model()->index(i, 0).data().toString().toStdString());
    return items;
  }
  void pickRow(int row) {
    const QPoint centre = candidates->visualRect(candidates->model()->index(row, 0)).center();
    QTest::mouseClick(candidates->viewport(), Qt::LeftButton, {}, centre);
  }
  void press(Control button) {
    QTest::mouseClick(static_cast<QPushButton*>(platform.widget(button)), Qt::LeftButton);
  }
  QAction* menuItem(const QString& caption) {
    for (QAction* title : platform.window()->menuBar()->actions()) {
      for (QAction* action : title->menu()->actions()) {
        if (action->text() == caption) return action;
      }
    }
    return nullptr;
  }
  static std::string clipboardBytes() {
    return QGuiApplication::clipboard()->text().toUtf8().toStdString();
  }

  fs::path dir;
  QtPlatform platform;
  RealFileSystem files;
  SystemRandom random;
  std::unique_ptr<Form1> form;
  QLineEdit* box = nullptr;
  QListView* candidates = nullptr;
};

TEST_F(WholeWindow, TypingScansOnCharacterKeysOnly) {
  QTest::keyClicks(box, "Ab");
  EXPECT_EQ(box->text(), "ab");
  ASSERT_EQ(candidates->model()->rowCount(), 10);
  EXPECT_EQ(listed().front(), "0001 abandon");

  for (const auto key : {Qt::Key_Left, Qt::Key_Home, Qt::Key_End, Qt::Key_Delete}) {
    QTest::keyClick(box, key);
    EXPECT_EQ(candidates->model()->rowCount(), 10) << key;  // no character code: no scan
  }
  EXPECT_EQ(box->text(), "ab");

  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(candidates->model()->rowCount(), 0);
  EXPECT_EQ(box->text(), "ab");
  QTest::keyClick(box, Qt::Key_S);
  EXPECT_EQ(listed(), (std::vector<std::string>{"0006 absent", "0007 absorb", "0008 abstract",
                                                "0009 absurd"}));

  QGuiApplication::clipboard()->setText("zoo");
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box->text(), "abs");
  EXPECT_EQ(candidates->model()->rowCount(), 0);

  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(box->text(), "");
  EXPECT_EQ(candidates->model()->rowCount(), 0);
}

TEST_F(WholeWindow, AccentedLettersFromTheKeyboardListTheirWords) {
  menuItem("&French")->trigger();
  // The é key of a French keyboard.
  QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Eacute, QString("é"), Qt::NoModifier);
  QTest::keyClicks(box, "co");
  EXPECT_EQ(box->text(), "éco");
  EXPECT_EQ(listed(), (std::vector<std::string>{"0617 école", "0618 économie", "0619 écorce",
                                                "0620 écouter"}));
  // Shift and the ñ key of a Spanish keyboard: the capital goes in lowercased.
  menuItem("&Spanish")->trigger();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, "a");
  QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Ntilde, QString("Ñ"), Qt::ShiftModifier);
  QTest::keyClicks(box, "e");
  EXPECT_EQ(box->text(), "añe");
  EXPECT_EQ(listed(), (std::vector<std::string>{"0106 anemia", "0119 añejo"}));
}

TEST_F(WholeWindow, ThePrefixIsTheOldTextPlusTheKeyWhereverTheCaretIs) {
  QTest::keyClicks(box, "a");
  QTest::keyClick(box, Qt::Key_Home);
  QTest::keyClick(box, Qt::Key_B);
  EXPECT_EQ(box->text(), "ba");
  EXPECT_EQ(form->KeyText, "ab");
  EXPECT_EQ(candidates->model()->rowCount(), 10);

  box->selectAll();
  QTest::keyClick(box, Qt::Key_Q);  // replaces the selection, scans "baq"
  EXPECT_EQ(box->text(), "q");
  EXPECT_EQ(form->KeyText, "baq");
  EXPECT_EQ(candidates->model()->rowCount(), 0);
}

TEST_F(WholeWindow, PicksAndExportsReachTheRealClipboardByteForByte) {
  press(Control::WordNum);
  QTest::keyClicks(box, "0287");
  pickRow(0);
  QTest::keyClicks(box, "1");
  ASSERT_EQ(candidates->model()->rowCount(), 1000);
  pickRow(3);
  EXPECT_EQ(platform.text(Control::Text3), "0287 cat\r\n1003 later\r\n");
  EXPECT_EQ(platform.text(Control::Label2), "02");
  EXPECT_EQ(box->text(), "");
  EXPECT_EQ(candidates->model()->rowCount(), 0);
  EXPECT_TRUE(box->hasFocus());

  press(Control::Command1);
  EXPECT_EQ(clipboardBytes(), "0287\r\n1003\r\n");
  press(Control::Command2);
  EXPECT_EQ(clipboardBytes(), "cat\r\nlater");
  auto* copyBox = static_cast<QPlainTextEdit*>(platform.widget(Control::Text3));
  QTest::mouseClick(copyBox->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clipboardBytes(), "0287 cat\r\n1003 later\r\n");
}

TEST_F(WholeWindow, ALanguageSwitchBetweenPicksKeepsBoth) {
  QTest::keyClicks(box, "zoo");
  pickRow(0);
  menuItem("&Czech")->trigger();
  EXPECT_EQ(platform.text(Control::Label1), "PubCzech");
  QTest::keyClicks(box, "abec");
  pickRow(0);
  EXPECT_EQ(platform.text(Control::Text3), "2048 zoo\r\n0002 abeceda\r\n");
  EXPECT_EQ(platform.text(Control::Label2), "02");
}

TEST_F(WholeWindow, LoadPrivateWordsAsksMakesAReadOnlyFileAndLoadsIt) {
  bool asked = false;
  bool bannerShown = false;
  bool menusLocked = false;
  QTimer::singleShot(0, [&] {
    auto* query = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (query == nullptr) return;
    asked = query->windowTitle() == "Query" &&
            query->text() == "Do You Want To Make Private PriEnglish Words Yes No? ";
    query->button(QMessageBox::Yes)->click();
    // Runs where the making lets pending events run: the banner is up, the menus are locked.
    QTimer::singleShot(0, [&] {
      bannerShown = platform.widget(Control::Label3)->isVisible();
      menusLocked = !platform.window()->menuBar()->isEnabled();
    });
  });
  menuItem("&Load Private Words")->trigger();
  EXPECT_TRUE(asked);
  EXPECT_TRUE(bannerShown);
  EXPECT_TRUE(menusLocked);
  const fs::path made = dir / "PriEnglish.txt";
  ASSERT_TRUE(fs::exists(made));
  struct stat info {};
  ASSERT_EQ(stat(made.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0222, 0u);
  EXPECT_EQ(platform.text(Control::Label1), "PriEnglish");
  EXPECT_FALSE(platform.widget(Control::Label3)->isVisible());
  EXPECT_TRUE(platform.window()->menuBar()->isEnabled());
  std::ifstream in(made, std::ios::binary);
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(platform.itemAt(Control::WordList, 1), "0001 " + first.substr(0, first.size() - 1));
  EXPECT_EQ(platform.itemCount(Control::WordList), 2049);
}

}  // namespace
}  // namespace quorvel::qttest
