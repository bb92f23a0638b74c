// What only the real widgets can get wrong, seen through a receiver that records the events.
#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionButton>

#include "platform/qt/QtUnits.h"
#include "support/QtDriver.h"

namespace quorvel::testing {
namespace {

TEST_F(ShownWindow, KeysReachTheHandlerFirstAndTheBoxTakesWhatItLeaves) {
  const struct {
    Qt::Key key;  // Key_unknown: the text comes from an input method (a dead key, say)
    QString text;
    Qt::KeyboardModifiers modifiers;
    int becomes;  // what the handler makes of the code; -1 leaves it
    std::vector<int> seen;
    QString after;  // the box held "xz", the caret between the two
  } rows[] = {
      {Qt::Key_A, "a", {}, -1, {'a'}, "xaz"},
      {Qt::Key_A, "A", Qt::ShiftModifier, 'a', {'A'}, "xaz"},
      {Qt::Key_Eacute, "é", {}, -1, {0xE9}, "xéz"},                                  // French
      {Qt::Key_E, "€", Qt::ControlModifier | Qt::AltModifier, -1, {0x20AC}, "x€z"},  // AltGr
      {Qt::Key_Return, "\r", {}, -1, {13}, "xz"},
      {Qt::Key_Space, " ", {}, -1, {32}, "x z"},
      {Qt::Key_Backspace, "\b", {}, -1, {8}, "z"},
      {Qt::Key_Backspace, "\b", {}, 0, {8}, "xz"},
      {Qt::Key_A, "a", {}, 8, {'a'}, "z"},
      {Qt::Key_A, "ab", {}, -1, {'a'}, "xaz"},  // a layout's string: its first character
      {Qt::Key_V, "\x16", Qt::ControlModifier, -1, {22}, "xz"},  // never a paste
      {Qt::Key_Insert, "", Qt::ShiftModifier, -1, {}, "xz"},     // nor this
      {Qt::Key_Delete, "\x7f", {}, -1, {}, "x"},
      {Qt::Key_unknown, "é", {}, -1, {0xE9}, "xéz"},
      {Qt::Key_unknown, "é", {}, 0, {0xE9}, "xz"},
  };
  auto* box = static_cast<QLineEdit*>(ui.widget(Control::EntryBox));
  QApplication::clipboard()->setText("pasted");
  QShortcut stolen(QKeySequence("Ctrl+Alt+E"), ui.window());  // must not take AltGr's €
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text.toStdString() + ", the handler making it " + std::to_string(r.becomes));
    events.keys.clear();
    events.onKey = [&r](int& code) { code = r.becomes < 0 ? code : r.becomes; };
    box->setText("xz");
    box->setCursorPosition(1);
    QInputMethodEvent commit;
    commit.setCommitString(r.text);
    if (r.key == Qt::Key_unknown) {
      QApplication::sendEvent(box, &commit);
    } else {
      QTest::sendKeyEvent(QTest::Click, box, r.key, r.text, r.modifiers);
    }
    EXPECT_EQ(events.keys, r.seen);
    EXPECT_EQ(box->text(), r.after);
  }
  QContextMenuEvent menu(QContextMenuEvent::Keyboard, {1, 1}, {1, 1});  // Paste, Undo, Cut
  QApplication::sendEvent(box, &menu);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(ShownWindow, TheFirstKeyInAListSelectsByItsDirection) {
  const struct {
    Control list;
    int rows;
    Qt::Key key;
    int selected;  // -1: none
  } cases[] = {{Control::Candidates, 9, Qt::Key_Down, 0},
               {Control::Candidates, 9, Qt::Key_PageUp, 0},
               {Control::Candidates, 9, Qt::Key_End, 8},
               {Control::Candidates, 9, Qt::Key_PageDown, 8},
               {Control::Candidates, 1, Qt::Key_Up, 0},
               {Control::Candidates, 0, Qt::Key_Down, -1},
               {Control::Candidates, 40000, Qt::Key_End, 39999},
               {Control::WordList, 9, Qt::Key_Home, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.rows << " rows, key " << c.key);
    std::vector<std::string> items;
    for (int i = 1; i <= c.rows; ++i) items.push_back(std::to_string(i) + " word");
    ui.clearList(c.list);
    ui.appendItems(c.list, items);
    ui.setFocus(Control::EntryBox);
    ui.setFocus(c.list);
    events.clicks.clear();
    QTest::keyClick(ui.widget(c.list), c.key);
    EXPECT_EQ(ui.selectedText(c.list), c.selected < 0 ? "" : items[c.selected]);
    const bool pick = c.list == Control::Candidates && c.selected >= 0;
    EXPECT_EQ(events.clicks, pick ? std::vector{Control::Candidates} : std::vector<Control>{});
  }
}

TEST_F(ShownWindow, OnlyTheLeftButtonPicksTheSelectedRowPicksAgainAndTheWheelScrolls) {
  std::vector<std::string> rows{"0001 abandon", "0002 ability"};
  rows.resize(200, "0003 able");
  ui.appendItems(Control::Candidates, rows);
  clickRow(ui.widget(Control::Candidates), 1, Qt::RightButton);
  EXPECT_EQ(ui.selectedText(Control::Candidates), "");
  clickRow(ui.widget(Control::Candidates), 1);
  clickRow(ui.widget(Control::Candidates), 1);
  EXPECT_EQ(events.clicks, (std::vector{Control::Candidates, Control::Candidates}));
  EXPECT_EQ(ui.selectedText(Control::Candidates), "0002 ability");
  auto* list = static_cast<QListView*>(ui.widget(Control::Candidates));
  QWheelEvent wheel({5, 5}, list->viewport()->mapToGlobal(QPointF(5, 5)), {}, {0, -120},
                    Qt::NoButton, {}, Qt::NoScrollPhase, false);
  QApplication::sendEvent(list->viewport(), &wheel);
  EXPECT_GT(list->verticalScrollBar()->value(), 0);
}

TEST_F(ShownWindow, NothingStartsAHandlerWhileInputIsOffOrTheWindowClosesOrHasClosed) {
  const auto tryEverything = [this] {
    QTest::mouseClick(ui.widget(Control::CopyNumbers), Qt::LeftButton);
    auto* candidates = static_cast<QListView*>(ui.widget(Control::Candidates));
    ui.clearList(Control::Candidates);
    ui.appendItems(Control::Candidates, {"0001 abandon"});
    candidates->setCurrentIndex(candidates->model()->index(0, 0));
    menuItem(ui.window(), "French")->trigger();
    QTest::keyClick(ui.widget(Control::EntryBox), Qt::Key_A);
    ui.window()->close();
  };
  ui.setInputEnabled(false);
  tryEverything();
  EXPECT_FALSE(ui.widget(Control::EntryBox)->isEnabled());  // and looks it
  ui.setFocus(Control::CopyBox);                            // taken when input is back on
  ui.setInputEnabled(true);
  EXPECT_TRUE(events.clicks.empty() && events.menus.empty() && events.keys.empty());
  ui.setInputEnabled(true);  // once more: the focus stays where it went since
  EXPECT_EQ(QApplication::focusWidget(), ui.widget(Control::CopyBox));
  // Closing runs the unload handler once, and ends the program even if the handler does not.
  events.onUnload = tryEverything;
  ui.window()->close();
  EXPECT_FALSE(ui.window()->isVisible());
  ui.endProgram(9);
  ui.window()->show();
  tryEverything();  // closes it again, as nothing else would
  EXPECT_FALSE(ui.window()->isVisible());
  EXPECT_EQ(ui.exitStatus(), 0);
  EXPECT_TRUE(events.clicks.empty() && events.menus.empty() && events.keys.empty());
  EXPECT_EQ(ui.text(Control::EntryBox), "");
  EXPECT_EQ(events.unloads, 1);
}

TEST_F(ShownWindow, ALongRowIsDrawnCutYetCopiedWhole) {
  const std::string item = "0004 " + std::string(995, 'x') + "\u00e9", cut = "\u2026";  // 1001 long
  for (Control c : {Control::WordList, Control::Candidates}) {
    ui.appendItems(c, {item});
    auto* list = static_cast<QListView*>(ui.widget(c));
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), qs(item.substr(0, 1000) + cut));
    list->setCurrentIndex(list->model()->index(0, 0));
    EXPECT_EQ(ui.selectedText(c), item);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);  // copies it whole, marked secret
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text() + copied->data("x-kde-passwordManagerHint"), qs(item) + "secret");
  }
  const std::string whole = "2 word\r\n" + item + "\r\n";
  ui.appendText(Control::CopyBox, whole);  // the copy box too: each line as drawn, then copied
  auto* box = static_cast<QPlainTextEdit*>(ui.widget(Control::CopyBox));
  EXPECT_EQ(box->toPlainText(), qs("2 word\n" + item.substr(0, 1000) + cut + "\n"));
  box->selectAll();
  box->copy();
  const QMimeData* copied = QApplication::clipboard()->mimeData();
  EXPECT_EQ(copied->text() + copied->data("x-kde-passwordManagerHint"),
            qs(whole).replace("\r\n", "\n") + "secret");
  QTextCursor word(box->document());  // a part copies as it is drawn, however long its line
  word.setPosition(2), word.setPosition(6, QTextCursor::KeepAnchor), box->setTextCursor(word);
  box->copy();
  EXPECT_EQ(QApplication::clipboard()->text(), "word");
}

// The closing movement's hold on the window: edges read and set in twips, each change waited
// for until the window system reports it back; the size is fixed until the window closes.
TEST_F(ShownWindow, EdgesMoveAndOnceClosingShrinkUnlessTheWindowCannot) {
  EXPECT_EQ(ui.screenWidth(), twips(ui.window()->screen()->geometry().width()));
  const struct {
    Edge edge;
    float by;
    bool taken;
  } fixed[] = {{Edge::Top, 300, true},
               {Edge::Left, 150, true},
               {Edge::Width, -300, false},
               {Edge::Top, NAN, false},
               {Edge::Left, 2e8F, false}},
    closing[] = {
        {Edge::Width, -300, true}, {Edge::Height, -450, true}, {Edge::Height, -1e6F, false}};
  const auto step = [this](const auto& rows) {
    for (const auto& r : rows) {
      const float before = ui.windowEdge(r.edge).value_or(-1);
      EXPECT_EQ(ui.setWindowEdge(r.edge, before + r.by), r.taken) << int(r.edge) << r.by;
      EXPECT_EQ(ui.windowEdge(r.edge), r.taken ? before + r.by : before) << int(r.edge) << r.by;
    }
  };
  step(fixed);
  events.onUnload = [&] {
    step(closing);
    ui.window()->showMinimized();
    EXPECT_FALSE(ui.setWindowEdge(Edge::Top, 0));
  };
  ui.window()->close();
  EXPECT_EQ(events.unloads, 1);
}

TEST_F(ShownWindow, ScreenReadersHearTheCopyBoxReadOnlyAndSearchesFindDesignersNames) {
  auto* box = static_cast<QPlainTextEdit*>(ui.widget(Control::CopyBox));
  EXPECT_TRUE(QAccessible::queryAccessibleInterface(box)->state().readOnly);
  EXPECT_TRUE(box->verticalScrollBar()->isVisible());  // before it has anything to scroll
  EXPECT_FALSE(ui.widget(Control::EntryBox)->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_EQ(ui.window()->minimumSize(), ui.window()->maximumSize());  // no resizing
  ui.setText(Control::ModeButton, "Words");  // captions change, and with them what is heard
  ui.appendText(Control::ListName, "!");
  for (const auto& [c, heard] : {std::pair{Control::ModeButton, "Words"}, {Control::ListName, "!"}})
    EXPECT_EQ(QAccessible::queryAccessibleInterface(ui.widget(c))->text(QAccessible::Name), heard);
  for (const auto& menu : windowDesign().menus) {
    EXPECT_NE(ui.window()->findChild<QMenu*>(qs(menu.objectName)), nullptr) << menu.objectName;
  }
  QWidget* client = ui.window()->centralWidget();  // grey where no control covers it
  const QPoint corner(client->width() - 1, client->height() - 1);
  ASSERT_EQ(client->childAt(corner), nullptr);
  EXPECT_EQ(client->grab().toImage().pixelColor(corner), client->palette().color(QPalette::Window));
}

TEST_F(ShownWindow, MenusShowASeparatorAtBothEndsAndKeepTheirWidth) {
  for (QAction* title : ui.window()->menuBar()->actions()) {
    QMenu* menu = title->menu();
    menu->popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    const QImage shot = menu->grab().toImage();
    const QList<QAction*> items = menu->actions();
    const int x = shot.width() / 2;
    const QRect middle = menu->actionGeometry(items[2]);   // a separator between two items
    const QColor line = shot.pixelColor(x, middle.top());  // drawn along its top
    ASSERT_NE(line, shot.pixelColor(x, middle.bottom()));
    // Rows down the middle, inside the frame, drawn in the colour of a separator's line.
    const auto drawn = [&](int from, int to) {
      int n = 0;
      for (int y = std::max(from, 1); y < std::min(to, shot.height() - 1); ++y) {
        n += shot.pixelColor(x, y) == line;
      }
      return n;
    };
    EXPECT_GT(drawn(0, menu->actionGeometry(items[1]).top()), 0) << title->text().toStdString();
    EXPECT_GT(drawn(menu->actionGeometry(items.back()).top(), shot.height()), 0);
    const int width = menu->sizeHint().width();  // room is added above and below only
    menu->setStyle(static_cast<QProxyStyle*>(menu->style())->baseStyle());
    EXPECT_EQ(menu->sizeHint().width(), width);
    menu->close();
  }
}

// The fonts stand in for the designed ones, with other widths: the longest captions must still
// fit, within the style's own margins, and the bold ones stay bold.
TEST_F(ShownWindow, TheLongestCaptionsFitTheirControls) {
  const auto fits = [this](Control c, const char* text, int room) {
    EXPECT_LE(QFontMetrics(ui.widget(c)->font()).horizontalAdvance(text), room) << text;
  };
  for (const auto& [c, caption] : {std::pair{Control::ModeButton, "Numbers"},
                                   {Control::CopyNumbers, "Copy Num"},
                                   {Control::CopyWords, "Copy Word"}}) {
    QStyleOptionButton option;
    option.initFrom(ui.widget(c));
    const QStyle* style = ui.widget(c)->style();
    fits(c, caption,
         style->subElementRect(QStyle::SE_PushButtonContents, &option, ui.widget(c)).width());
  }
  fits(Control::ListName, "PubPortuguese", ui.widget(Control::ListName)->contentsRect().width());
  EXPECT_TRUE(ui.widget(Control::ListName)->font().bold() &&
              ui.widget(Control::ModeButton)->font().bold());
  for (const auto& d : windowDesign().controls) {  // shown, but the banner; named for readers
    EXPECT_EQ(ui.widget(d.id)->isVisible(), d.id != Control::WorkingBanner) << d.objectName;
    EXPECT_EQ(ui.widget(d.id)->accessibleName().isEmpty(), d.accessibleName.empty());
  }
  ui.setToolTip(Control::ModeButton, " Click To Change To Words Input ");  // heard as it reads
  EXPECT_EQ(ui.widget(Control::ModeButton)->toolTip() + "|" +
                ui.widget(Control::ModeButton)->accessibleDescription(),
            " Click To Change To Words Input |Click To Change To Words Input");
}

}  // namespace
}  // namespace quorvel::testing
