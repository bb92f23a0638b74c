// What the real widgets deliver to the window's handlers, and when they deliver nothing.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "QtTestSupport.h"

namespace quorvel::qttest {
namespace {

class EntryKeys : public ShownWindow {
 protected:
  void SetUp() override {
    ShownWindow::SetUp();
    box = as<QLineEdit>(Control::Text1);
    platform.setFocus(Control::Text1);
  }
  QLineEdit* box = nullptr;
};

TEST_F(EntryKeys, CharactersReachTheHandlerBeforeTheBox) {
  std::string seen;
  events.onKey = [&](int&) { seen = platform.text(Control::Text1); };
  QTest::keyClick(box, Qt::Key_A);
  EXPECT_EQ(events.keys, std::vector<int>{97});
  EXPECT_EQ(events.boxes, std::vector<Control>{Control::Text1});
  EXPECT_EQ(seen, "");
  EXPECT_EQ(box->text(), "a");
  QTest::keyClick(box, Qt::Key_B);
  EXPECT_EQ(seen, "a");
  EXPECT_EQ(box->text(), "ab");
}

TEST_F(EntryKeys, ReplacedCodeIsInsertedAtTheCaret) {
  events.onKey = [](int& code) {
    if (code >= 'A' && code <= 'Z') code += 32;
  };
  QTest::keyClick(box, 'A', Qt::ShiftModifier);
  EXPECT_EQ(events.keys, std::vector<int>{65});
  EXPECT_EQ(box->text(), "a");

  box->setText("xyz");
  box->setSelection(1, 1);
  QTest::keyClick(box, 'Q', Qt::ShiftModifier);
  EXPECT_EQ(box->text(), "xqz");
  EXPECT_EQ(box->cursorPosition(), 2);
}

TEST_F(EntryKeys, ZeroCodeLeavesTheBoxAlone) {
  box->setText("ab");
  events.onKey = [](int& code) { code = 0; };
  QTest::keyClicks(box, "c1 ");
  QTest::keyClick(box, Qt::Key_Return);
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(events.keys, (std::vector<int>{'c', '1', ' ', 13, 8}));
  EXPECT_EQ(box->text(), "ab");
}

TEST_F(EntryKeys, BackspaceFollowsTheHandler) {
  box->setText("ab");
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(events.keys, std::vector<int>{8});
  EXPECT_EQ(box->text(), "a");  // left unchanged, the box deletes as usual

  // The real handler empties the box first; the backspace then has nothing to remove.
  box->setText("abc");
  events.onKey = [&](int&) { platform.setText(Control::Text1, ""); };
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(box->text(), "");
}

TEST_F(EntryKeys, ControlVIsACodeAndNeverPastes) {
  QApplication::clipboard()->setText("pasted");
  int shortcutHits = 0;
  auto* paste = new QAction(platform.window());
  paste->setShortcut(QKeySequence::Paste);
  platform.window()->addAction(paste);
  QObject::connect(paste, &QAction::triggered, [&] { ++shortcutHits; });

  box->setText("ab");
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(events.keys, std::vector<int>{22});
  EXPECT_EQ(box->text(), "ab");
  EXPECT_EQ(shortcutHits, 0);

  events.onKey = [](int& code) { code = 0; };
  QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(events.keys, (std::vector<int>{22, 24, 1}));
  EXPECT_EQ(box->text(), "ab");
}

TEST_F(EntryKeys, EditingKeysBypassTheHandler) {
  box->setText("abc");
  box->setCursorPosition(0);
  QTest::keyClick(box, Qt::Key_Delete);
  EXPECT_EQ(box->text(), "bc");
  QTest::keyClick(box, Qt::Key_End);
  QTest::keyClick(box, Qt::Key_Left);
  EXPECT_EQ(box->cursorPosition(), 1);
  QTest::keyClick(box, Qt::Key_Home);
  QTest::keyClick(box, Qt::Key_Right);
  QTest::keyClick(box, Qt::Key_Shift);
  EXPECT_EQ(box->cursorPosition(), 1);
  QTest::keyClick(box, Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), box);
  EXPECT_TRUE(events.keys.empty());
}

using Clicks = ShownWindow;

QPoint rowCentre(QListView* list, int row) {
  return list->visualRect(list->model()->index(row, 0)).center();
}

TEST_F(Clicks, CandidateListReportsUserSelectionsOnly) {
  auto* list = as<QListView>(Control::List1);
  platform.appendItems(Control::List1, {"0001 abandon", "0002 ability", "0003 able"});
  platform.appendItem(Control::List1, "0004 about");
  list->setFocus();
  EXPECT_TRUE(events.clicks.empty());  // taking the focus selects nothing

  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
  ASSERT_EQ(events.clicks, std::vector<Control>{Control::List1});
  EXPECT_EQ(platform.selectedText(Control::List1), "0002 ability");

  // Again on the same entry: nothing changes, but it is a click all the same.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
  EXPECT_EQ(events.clicks.size(), 2u);

  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(events.clicks.size(), 3u);
  EXPECT_EQ(platform.selectedText(Control::List1), "0003 able");

  QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCentre(list, 0));
  platform.clearList(Control::List1);
  platform.appendItem(Control::List1, "0005 above");
  EXPECT_EQ(events.clicks.size(), 3u);
  EXPECT_EQ(platform.selectedText(Control::List1), "");
}

TEST_F(Clicks, FirstNavigationKeySelectsByItsDirection) {
  // Taking the focus makes a row current but selects none; the first key must still select.
  const struct {
    Control list;
    int rows;
    Qt::Key key;
    int selected;  // -1: none
  } cases[] = {
      {Control::List1, 9, Qt::Key_Down, 0},        {Control::List1, 9, Qt::Key_Up, 0},
      {Control::List1, 9, Qt::Key_Home, 0},        {Control::List1, 9, Qt::Key_PageUp, 0},
      {Control::List1, 9, Qt::Key_End, 8},         {Control::List1, 9, Qt::Key_PageDown, 8},
      {Control::List1, 9, Qt::Key_Space, 0},       {Control::List1, 1, Qt::Key_Down, 0},
      {Control::List1, 1, Qt::Key_Up, 0},          {Control::List1, 1, Qt::Key_End, 0},
      {Control::List1, 0, Qt::Key_Down, -1},       {Control::List1, 0, Qt::Key_End, -1},
      {Control::List1, 40000, Qt::Key_End, 39999}, {Control::WordList, 9, Qt::Key_Home, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << design::control(c.list).name << ", " << c.rows << " rows, key "
                 << QKeySequence(c.key).toString().toStdString());
    std::vector<std::string> items;
    for (int i = 1; i <= c.rows; ++i) items.push_back(std::to_string(i) + " word");
    platform.clearList(c.list);
    platform.appendItems(c.list, items);
    platform.setFocus(Control::Text1);
    platform.setFocus(c.list);
    events.clicks.clear();
    QTest::keyClick(platform.widget(c.list), c.key);
    EXPECT_EQ(platform.selectedText(c.list), c.selected < 0 ? "" : items[c.selected]);
    // Only a selection in the candidates is a pick.
    const bool pick = c.list == Control::List1 && c.selected >= 0;
    EXPECT_EQ(events.clicks, pick ? std::vector{Control::List1} : std::vector<Control>{});
  }
}

TEST_F(Clicks, HandlerMayEmptyTheListItWasClickedIn) {
  auto* list = as<QListView>(Control::List1);
  platform.appendItems(Control::List1, {"0001 abandon", "0002 ability"});
  std::vector<std::string> picked;
  events.onClick = [&](Control) {
    picked.push_back(platform.selectedText(Control::List1));
    platform.clearList(Control::List1);
    platform.setFocus(Control::Text1);
  };
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
  EXPECT_EQ(picked, std::vector<std::string>{"0002 ability"});
  EXPECT_EQ(list->model()->rowCount(), 0);

  platform.appendItems(Control::List1, {"0003 able", "0004 about"});
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(picked.size(), 2u);
  EXPECT_EQ(list->model()->rowCount(), 0);
}

TEST_F(Clicks, CopyBoxClickStillSelects) {
  platform.setText(Control::Text3, "0007 cat\r\n0012 dog\r\n");
  auto* box = as<QPlainTextEdit>(Control::Text3);
  QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(events.clicks, std::vector<Control>{Control::Text3});
  QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, QPoint(8, 8));
  EXPECT_TRUE(box->textCursor().hasSelection());
}

TEST_F(Clicks, ButtonsAndMenuItemsReachTheirHandlers) {
  QTest::mouseClick(as<QPushButton>(Control::Command1), Qt::LeftButton);
  QTest::mouseClick(as<QPushButton>(Control::Command2), Qt::LeftButton);
  QTest::mouseClick(as<QPushButton>(Control::WordNum), Qt::LeftButton);
  EXPECT_EQ(events.clicks,
            (std::vector<Control>{Control::Command1, Control::Command2, Control::WordNum}));

  std::vector<MenuItem> expected;
  for (const auto& menu : design::kMenus) {
    for (int i = 0; i < menu.count; ++i) {
      if (menu.entries[static_cast<std::size_t>(i)].item) {
        expected.push_back(*menu.entries[static_cast<std::size_t>(i)].item);
      }
    }
  }
  for (QAction* title : platform.window()->menuBar()->actions()) {
    for (QAction* action : title->menu()->actions()) action->trigger();
  }
  EXPECT_EQ(events.menus, expected);
}

TEST_F(Clicks, DisabledInputStartsNothing) {
  platform.setFocus(Control::Text1);
  platform.setInputEnabled(false);
  EXPECT_FALSE(platform.window()->menuBar()->isEnabled());
  for (Control c : design::kTabOrder) EXPECT_FALSE(platform.widget(c)->isEnabled());
  EXPECT_TRUE(platform.widget(Control::Label3)->isEnabled());

  QTest::mouseClick(as<QPushButton>(Control::Command1), Qt::LeftButton);
  platform.window()->menuBar()->actions().at(1)->menu()->actions().at(1)->trigger();
  platform.window()->close();
  EXPECT_TRUE(platform.window()->isVisible());
  EXPECT_TRUE(events.clicks.empty());
  EXPECT_TRUE(events.menus.empty());
  EXPECT_EQ(events.unloads, 0);

  platform.setInputEnabled(true);
  EXPECT_EQ(QApplication::focusWidget(), platform.widget(Control::Text1));
  QTest::mouseClick(as<QPushButton>(Control::Command1), Qt::LeftButton);
  EXPECT_EQ(events.clicks, std::vector<Control>{Control::Command1});
}

TEST_F(Clicks, EndingTheProgramSilencesEverything) {
  platform.endProgram(4);
  EXPECT_TRUE(platform.ended());
  EXPECT_EQ(platform.exitStatus(), 4);
  EXPECT_FALSE(platform.window()->isVisible());
  EXPECT_EQ(events.unloads, 0);

  platform.endProgram(9);  // the first status stands
  EXPECT_EQ(platform.exitStatus(), 4);
  as<QPushButton>(Control::Command1)->click();
  platform.window()->menuBar()->actions().at(0)->menu()->actions().at(1)->trigger();
  QTest::keyClick(platform.widget(Control::Text1), Qt::Key_A);
  platform.window()->close();
  EXPECT_TRUE(events.clicks.empty());
  EXPECT_TRUE(events.menus.empty());
  EXPECT_TRUE(events.keys.empty());
  EXPECT_EQ(events.unloads, 0);
}

TEST_F(Clicks, ClosingRunsTheUnloadHandlerOnceAndMayShrinkTheWindow) {
  const QRect before = platform.window()->frameGeometry();
  std::vector<bool> steps;
  events.onUnload = [&] {
    const float width = *platform.windowEdge(Edge::Width);
    const float height = *platform.windowEdge(Edge::Height);
    steps.push_back(platform.setWindowEdge(Edge::Width, width - 60));
    steps.push_back(platform.setWindowEdge(Edge::Height, height - 60));
    platform.window()->close();  // a second request while closing starts nothing
    QTest::mouseClick(as<QPushButton>(Control::Command1), Qt::LeftButton);
    platform.endProgram(0);
  };
  platform.window()->close();
  EXPECT_EQ(events.unloads, 1);
  EXPECT_EQ(steps, (std::vector<bool>{true, true}));
  EXPECT_EQ(platform.window()->frameGeometry().size(), before.size() - QSize(4, 4));
  EXPECT_TRUE(events.clicks.empty());
  EXPECT_TRUE(platform.ended());
  EXPECT_FALSE(platform.window()->isVisible());
}

TEST_F(Clicks, ClosingEndsEvenWhenTheHandlerReturns) {
  platform.window()->close();
  EXPECT_EQ(events.unloads, 1);
  EXPECT_TRUE(platform.ended());
  EXPECT_EQ(platform.exitStatus(), 0);
  EXPECT_FALSE(platform.window()->isVisible());
}

}  // namespace
}  // namespace quorvel::qttest
