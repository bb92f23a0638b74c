// The window as built: places, texts, fonts, colours, menus and focus order of the widgets.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>

#include "QtTestSupport.h"
#include "platform/WindowDesign.h"

namespace quorvel::qttest {
namespace {

using WindowLayout = ShownWindow;

TEST_F(WindowLayout, ControlsSitAtTheirPixelPlaces) {
  // Worked by hand from the twips: both edges rounded, the size is their difference.
  EXPECT_EQ(platform.widget(Control::Label1)->geometry(), QRect(1, 0, 160, 17));
  EXPECT_EQ(platform.widget(Control::WordList)->geometry(), QRect(8, 24, 145, 199));
  EXPECT_EQ(platform.widget(Control::Label2)->geometry(), QRect(168, 8, 113, 17));
  EXPECT_EQ(platform.widget(Control::Text3)->geometry(), QRect(161, 24, 137, 201));
  EXPECT_EQ(platform.widget(Control::Command1)->geometry(), QRect(161, 232, 65, 17));
  EXPECT_EQ(platform.widget(Control::Command2)->geometry(), QRect(232, 232, 65, 17));
  EXPECT_EQ(platform.widget(Control::WordNum)->geometry(), QRect(304, 4, 121, 20));
  EXPECT_EQ(platform.widget(Control::Text1)->geometry(), QRect(304, 24, 120, 19));
  EXPECT_EQ(platform.widget(Control::List1)->geometry(), QRect(304, 40, 120, 186));
  EXPECT_EQ(platform.widget(Control::Label3)->geometry(), QRect(0, 248, 425, 33));
  EXPECT_EQ(platform.widget(Control::Label4)->geometry(), QRect(0, 0, 9, 281));

  QWidget* client = platform.window()->centralWidget();
  EXPECT_EQ(client->size(), QSize(435, 276));
  for (const auto& d : design::kControls) {
    if (d.scratch) continue;
    EXPECT_EQ(platform.widget(d.id)->parentWidget(), client) << d.name;
  }
}

TEST_F(WindowLayout, LaterControlsAreDrawnAboveTheLabels) {
  const QObjectList& children = platform.window()->centralWidget()->children();
  const auto stack = [&](Control c) { return children.indexOf(platform.widget(c)); };
  EXPECT_LT(stack(Control::Label4), stack(Control::WordList));
  EXPECT_LT(stack(Control::Label3), stack(Control::Command1));
  EXPECT_LT(stack(Control::List1), stack(Control::Text1));
}

TEST_F(WindowLayout, UserCannotResizeTheWindow) {
  QMainWindow* w = platform.window();
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
  EXPECT_EQ(w->centralWidget()->geometry().bottom() + 1, w->height());
  EXPECT_EQ(w->windowTitle(), "Quorvel");
  EXPECT_FALSE(w->windowIcon().isNull());
}

TEST_F(WindowLayout, TextsAndToolTipsKeepTheirBlanks) {
  EXPECT_EQ(as<QPushButton>(Control::WordNum)->text(), "Words");
  EXPECT_EQ(platform.text(Control::WordNum), "Words");
  EXPECT_EQ(as<QPushButton>(Control::Command1)->text(), "Copy Num");
  EXPECT_EQ(as<QPushButton>(Control::Command2)->text(), "Copy Word");
  EXPECT_EQ(as<QLabel>(Control::Label3)->text(), "Working Please Wait");
  EXPECT_EQ(platform.text(Control::Label1), "");
  EXPECT_EQ(platform.text(Control::Text1), "");

  EXPECT_EQ(platform.widget(Control::WordNum)->toolTip(), " Click To Change To Number Input ");
  EXPECT_EQ(platform.widget(Control::Command1)->toolTip(), "  Copy Number To Clipboard ");
  EXPECT_EQ(platform.widget(Control::Command2)->toolTip(), "  Copy Words To Clipboard ");
  EXPECT_EQ(platform.widget(Control::Text3)->toolTip(), " Click To Copy All To Clipboard ");
  EXPECT_EQ(platform.widget(Control::List1)->toolTip(), " Click To Copy To The Copy Box ");
  EXPECT_EQ(platform.widget(Control::Label4)->toolTip().toStdString(), design::kAboutText);
  EXPECT_TRUE(platform.widget(Control::Text1)->toolTip().isEmpty());

  platform.setText(Control::WordNum, "Numbers");
  platform.setToolTip(Control::WordNum, " Click To Change To Words Input ");
  EXPECT_EQ(as<QPushButton>(Control::WordNum)->text(), "Numbers");
  EXPECT_EQ(platform.widget(Control::WordNum)->toolTip(), " Click To Change To Words Input ");
}

TEST_F(WindowLayout, FontsFollowTheDesign) {
  const QFont windowFont = platform.window()->font();
  EXPECT_FALSE(windowFont.bold());
  const struct {
    Control control;
    int pixels;
  } sized[] = {{Control::Label1, 13}, {Control::Label2, 13},   {Control::WordNum, 13},
               {Control::Text1, 13},  {Control::WordList, 11}, {Control::List1, 11},
               {Control::Text3, 11},  {Control::Label3, 24}};
  for (const auto& s : sized) {
    const QFont f = platform.widget(s.control)->font();
    EXPECT_EQ(f.weight(), QFont::Bold) << design::control(s.control).name;
    EXPECT_EQ(f.pixelSize(), s.pixels) << design::control(s.control).name;
    EXPECT_FALSE(f.italic() || f.underline() || f.strikeOut());
  }
  for (Control c : {Control::Command1, Control::Command2, Control::Label4}) {
    EXPECT_EQ(platform.widget(c)->font(), windowFont) << design::control(c).name;
  }
}

TEST_F(WindowLayout, GreyFacesAndDefaultBoxes) {
  const QColor grey(192, 192, 192);
  QWidget* client = platform.window()->centralWidget();
  EXPECT_TRUE(client->autoFillBackground());
  EXPECT_EQ(client->palette().color(QPalette::Window), grey);
  for (Control c : {Control::Label1, Control::Label2, Control::Label3, Control::Label4}) {
    EXPECT_TRUE(platform.widget(c)->autoFillBackground());
    EXPECT_EQ(platform.widget(c)->palette().color(QPalette::Window), grey);
  }
  for (Control c : {Control::Command1, Control::Command2, Control::WordNum}) {
    EXPECT_EQ(platform.widget(c)->palette().color(QPalette::Button), grey);
  }
  for (Control c : {Control::Text1, Control::Text3, Control::List1, Control::WordList}) {
    EXPECT_EQ(platform.widget(c)->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Base));
  }
  // The grab shows the grey between the controls.
  const QImage shot = client->grab().toImage();
  EXPECT_EQ(shot.pixelColor(158, 100), grey);
  EXPECT_EQ(shot.pixelColor(430, 270), grey);
}

TEST_F(WindowLayout, OnlyTheBannerAndScratchControlsAreUnseen) {
  EXPECT_FALSE(platform.widget(Control::Label3)->isVisible());
  for (const auto& d : design::kControls) {
    if (d.scratch) {
      EXPECT_EQ(platform.widget(d.id), nullptr) << d.name;
    } else if (d.id != Control::Label3) {
      EXPECT_TRUE(platform.widget(d.id)->isVisible()) << d.name;
    }
  }
  platform.setVisible(Control::Label3, true);
  EXPECT_TRUE(platform.widget(Control::Label3)->isVisible());
  platform.setVisible(Control::Label3, false);
  EXPECT_FALSE(platform.widget(Control::Label3)->isVisible());
}

TEST_F(WindowLayout, ScratchControlsStoreExactly) {
  const std::string staged = "0007\r\n0012\r\n\xe9";  // not even valid UTF-8
  platform.setText(Control::Text2, staged);
  EXPECT_EQ(platform.text(Control::Text2), staged);
  platform.setText(Control::txtNum, "2048");
  EXPECT_EQ(platform.text(Control::txtNum), "2048");

  EXPECT_EQ(platform.listWidth(Control::lstRand), 2055.0f);
  EXPECT_EQ(platform.listWidth(Control::List1), 1800.0f);
  platform.setColumns(Control::lstRand, 3);
  platform.appendItems(Control::lstRand, {"12", "7"});
  platform.appendItem(Control::lstRand, "1999");
  EXPECT_EQ(platform.itemCount(Control::lstRand), 3);
  EXPECT_EQ(platform.itemAt(Control::lstRand, 0), "12");
  EXPECT_EQ(platform.itemAt(Control::lstRand, 2), "1999");
  EXPECT_EQ(platform.itemAt(Control::lstRand, 3), "");
  platform.clearList(Control::lstRand);
  EXPECT_EQ(platform.itemCount(Control::lstRand), 0);
}

// Rows a list refers to, as it does the master list's: a head made when asked, a kept word.
struct NumberedRows : ListRows {
  std::vector<std::string> words;
  std::size_t rowCount() const override { return words.size(); }
  ListRow row(std::size_t i) const override { return {std::to_string(i + 1) + " ", words[i]}; }
};

TEST_F(WindowLayout, ListsKeepOrderAndBytesAndCutOnlyWhatTheyDraw) {
  // 1000 characters in 1001 bytes are drawn whole; 1001 characters are drawn cut short.
  NumberedRows kept;
  kept.words = {"ability", std::string(997, 'y') + "\xc3\xa9"};
  const std::string longRow = "0004 " + std::string(995, 'x') + "\xc3\xa9";
  for (Control c : {Control::WordList, Control::List1}) {
    SCOPED_TRACE(design::control(c).name);
    platform.appendItems(c, {" ", "0002 zebra"});
    platform.appendRows(c, kept);
    platform.appendItem(c, "0003 caf\xc3\xa9");
    platform.appendItem(c, longRow);
    auto* list = as<QListView>(c);
    const auto shown = [list](int row) { return list->model()->index(row, 0).data().toString(); };
    ASSERT_EQ(list->model()->rowCount(), 6);
    EXPECT_EQ(shown(1), "0002 zebra");
    EXPECT_EQ(shown(2), "1 ability");
    EXPECT_EQ(shown(3), QString::fromUtf8("2 " + kept.words[1]));
    EXPECT_EQ(shown(4), QString::fromUtf8("0003 caf\xc3\xa9"));
    EXPECT_EQ(shown(5), QString::fromUtf8(longRow.substr(0, 999)) + QChar(0x2026));
    EXPECT_EQ(platform.itemAt(c, 2), "1 ability");
    EXPECT_EQ(platform.itemAt(c, 5), longRow);
    EXPECT_EQ(platform.itemCount(c), 6);
    EXPECT_EQ(platform.selectedText(c), "");
    list->setCurrentIndex(list->model()->index(5, 0));
    EXPECT_EQ(platform.selectedText(c), longRow);
    platform.clearList(c);
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_EQ(platform.itemCount(c), 0);
  }
}

TEST_F(WindowLayout, MenusMatchTheDesign) {
  const QList<QAction*> titles = platform.window()->menuBar()->actions();
  ASSERT_EQ(titles.size(), 2);
  for (std::size_t m = 0; m < design::kMenus.size(); ++m) {
    const auto& want = design::kMenus[m];
    QMenu* menu = titles[static_cast<qsizetype>(m)]->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title().toStdString(), want.caption);
    EXPECT_FALSE(menu->separatorsCollapsible());
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), want.count);
    for (int i = 0; i < want.count; ++i) {
      const auto& entry = want.entries[static_cast<std::size_t>(i)];
      QAction* action = items[i];
      EXPECT_EQ(action->isSeparator(), !entry.item.has_value()) << entry.name;
      if (entry.item) {
        EXPECT_EQ(action->text().toStdString(), entry.caption);
      }
      EXPECT_TRUE(action->shortcut().isEmpty());
      EXPECT_FALSE(action->isCheckable());
      EXPECT_TRUE(action->isEnabled() && action->isVisible());
    }
    EXPECT_TRUE(items.front()->isSeparator());
    EXPECT_TRUE(items.back()->isSeparator());
  }
  EXPECT_EQ(titles[0]->text(), "&File");
  EXPECT_EQ(titles[1]->text(), "&Language");
}

TEST_F(WindowLayout, SeparatorsAreDrawnAtBothEndsOfTheDropDown) {
  for (QAction* title : platform.window()->menuBar()->actions()) {
    QMenu* menu = title->menu();
    SCOPED_TRACE(menu->title().toStdString());
    menu->popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    const QImage shot = menu->grab().toImage();
    const QList<QAction*> items = menu->actions();
    const int x = shot.width() / 2;
    const QColor blank = shot.pixelColor(x, menu->actionGeometry(items[1]).top());
    // The colour of each run of drawn rows down the middle, between two rows.
    const auto drawn = [&](int from, int to) {
      std::vector<QColor> runs;
      for (int y = from; y < to; ++y) {
        const QColor c = shot.pixelColor(x, y);
        if (c != blank && (y == from || shot.pixelColor(x, y - 1) == blank)) runs.push_back(c);
      }
      return runs;
    };
    const QRect middle = menu->actionGeometry(items[2]);
    const auto line = drawn(middle.top(), middle.bottom() + 1);
    ASSERT_EQ(line.size(), 1u);
    // The frame, then a line of its own like the middle one; at the bottom the other way round.
    const auto top = drawn(0, menu->actionGeometry(items[1]).top());
    const auto bottom =
        drawn(menu->actionGeometry(items[items.size() - 2]).bottom() + 1, shot.height());
    ASSERT_EQ(top.size(), 2u);
    ASSERT_EQ(bottom.size(), 2u);
    EXPECT_EQ(top[1], line[0]);
    EXPECT_EQ(bottom[0], line[0]);
    menu->close();
  }
}

TEST_F(WindowLayout, TabVisitsTheControlsInDesignOrder) {
  platform.setFocus(Control::Text1);
  ASSERT_EQ(QApplication::focusWidget(), platform.widget(Control::Text1));
  std::vector<QWidget*> visited;
  for (std::size_t i = 0; i < design::kTabOrder.size(); ++i) {
    visited.push_back(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  visited.push_back(QApplication::focusWidget());
  for (std::size_t i = 0; i < design::kTabOrder.size(); ++i) {
    EXPECT_EQ(visited[i], platform.widget(design::kTabOrder[i])) << i;
  }
  EXPECT_EQ(visited.back(), platform.widget(Control::Text1));  // round again
  EXPECT_TRUE(events.keys.empty());
}

TEST_F(WindowLayout, CopyBoxShowsTheNewestLineAndKeepsLineEnds) {
  std::string text;
  for (int i = 1; i <= 60; ++i) text += "00" + std::to_string(10 + i) + " word\r\n";
  platform.setText(Control::Text3, text);
  EXPECT_EQ(platform.text(Control::Text3), text);
  auto* box = as<QPlainTextEdit>(Control::Text3);
  QScrollBar* bar = box->verticalScrollBar();
  EXPECT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_EQ(box->blockCount(), 61);  // sixty lines and the empty one after the last CR LF
  EXPECT_EQ(box->document()->findBlockByNumber(59).text(), "0070 word");

  platform.setText(Control::Text3, "");
  EXPECT_EQ(box->toPlainText(), "");
}

TEST_F(WindowLayout, AppendingToTheCopyBoxEqualsSettingTheWhole) {
  auto* box = as<QPlainTextEdit>(Control::Text3);
  std::string whole;
  const std::vector<std::string> pieces = {"0007 cat\r\n", "0012 d\xc3\xb6g\r", "\n", "",
                                           "0013 x\r\n"};
  for (int round = 0; round < 8; ++round) {
    for (const auto& piece : pieces) {
      platform.appendText(Control::Text3, piece);
      whole += piece;
    }
  }
  EXPECT_EQ(platform.text(Control::Text3), whole);
  const QString appended = box->toPlainText();
  QScrollBar* bar = box->verticalScrollBar();
  EXPECT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
  platform.setText(Control::Text3, whole);
  EXPECT_EQ(box->toPlainText(), appended);
  EXPECT_FALSE(appended.contains('\r'));

  platform.appendText(Control::Label2, "01");
  platform.appendText(Control::Text1, "ab");
  EXPECT_EQ(platform.text(Control::Label2), "01");
  EXPECT_EQ(platform.text(Control::Text1), "ab");
}

TEST_F(WindowLayout, CopyBoxRefusesTypingPastingAndDeleting) {
  platform.setText(Control::Text3, "0007 cat\r\n");
  auto* box = as<QPlainTextEdit>(Control::Text3);
  QApplication::clipboard()->setText("pasted");
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, "xyz");
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Delete);
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(box->toPlainText(), "0007 cat\n");
  EXPECT_TRUE(box->textCursor().hasSelection());  // still selectable
  EXPECT_EQ(platform.text(Control::Text3), "0007 cat\r\n");
}

}  // namespace
}  // namespace quorvel::qttest
