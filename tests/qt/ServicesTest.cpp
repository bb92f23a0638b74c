// The window's services to the logic: geometry in twips, message boxes, the clipboard, the
// start and end of the program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "QtTestSupport.h"

namespace quorvel::qttest {
namespace {

using WindowEdges = ShownWindow;

TEST_F(WindowEdges, PositionRoundTripsInTwips) {
  ASSERT_TRUE(platform.setWindowEdge(Edge::Top, 1500.0f));
  ASSERT_TRUE(platform.setWindowEdge(Edge::Left, 3000.0f));
  EXPECT_EQ(platform.windowEdge(Edge::Top), 1500.0f);
  EXPECT_EQ(platform.windowEdge(Edge::Left), 3000.0f);
  EXPECT_EQ(platform.window()->frameGeometry().topLeft(), QPoint(200, 100));

  // The closing movement's step: 30 twips is two pixels, applied at once.
  ASSERT_TRUE(platform.setWindowEdge(Edge::Top, *platform.windowEdge(Edge::Top) + 30));
  EXPECT_EQ(platform.windowEdge(Edge::Top), 1530.0f);
  // Below the top of the screen is allowed; the movement slides out of sight.
  EXPECT_TRUE(platform.setWindowEdge(Edge::Top, 39000.0f));
  EXPECT_EQ(platform.windowEdge(Edge::Top), 39000.0f);
  // Twips between pixels go to the nearest pixel.
  EXPECT_TRUE(platform.setWindowEdge(Edge::Left, 3008.0f));
  EXPECT_EQ(platform.windowEdge(Edge::Left), 3015.0f);
}

TEST_F(WindowEdges, SizeIsTheOuterWindowAndFixedForTheUser) {
  const QRect frame = platform.window()->frameGeometry();
  EXPECT_EQ(platform.windowEdge(Edge::Width), frame.width() * 15.0f);
  EXPECT_EQ(platform.windowEdge(Edge::Height), frame.height() * 15.0f);
  EXPECT_FALSE(platform.setWindowEdge(Edge::Width, frame.width() * 15.0f - 60));
  EXPECT_FALSE(platform.setWindowEdge(Edge::Height, frame.height() * 15.0f + 60));
  EXPECT_EQ(platform.window()->frameGeometry(), frame);
}

TEST_F(WindowEdges, RefusedSetsChangeNothing) {
  ASSERT_TRUE(platform.setWindowEdge(Edge::Top, 1500.0f));
  const QRect frame = platform.window()->frameGeometry();
  EXPECT_FALSE(platform.setWindowEdge(Edge::Width, 0.0f));
  EXPECT_FALSE(platform.setWindowEdge(Edge::Height, -60.0f));
  EXPECT_FALSE(platform.setWindowEdge(Edge::Top, std::numeric_limits<float>::infinity()));
  EXPECT_EQ(platform.window()->frameGeometry(), frame);

  platform.window()->setWindowState(Qt::WindowMaximized);
  EXPECT_FALSE(platform.setWindowEdge(Edge::Top, 3000.0f));
  EXPECT_FALSE(platform.setWindowEdge(Edge::Left, 3000.0f));
  platform.window()->setWindowState(Qt::WindowNoState);
}

TEST_F(WindowEdges, ScreenAndTextAreMeasuredInTwips) {
  QScreen* screen = platform.window()->screen();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(platform.screenWidth(), screen->geometry().width() * 15.0f);

  EXPECT_EQ(platform.textWidth(""), 0.0f);
  const QFontMetricsF metrics(platform.window()->font());
  EXPECT_FLOAT_EQ(platform.textWidth("1999"), metrics.horizontalAdvance("1999") * 15);
  // The window's own font, not a bold face of one of its controls.
  const QFontMetricsF bold(platform.widget(Control::Label3)->font());
  EXPECT_LT(platform.textWidth("Working"), bold.horizontalAdvance("Working") * 15);
  EXPECT_GT(platform.textWidth("WWWW"), platform.textWidth("iiii"));
}

TEST_F(WindowEdges, PendingEventsRunAndTheClockMoves) {
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  platform.doEvents();
  EXPECT_TRUE(ran);
  const double first = platform.monotonicSeconds();
  QTest::qWait(5);
  EXPECT_GT(platform.monotonicSeconds(), first);
}

// Answers the next modal message box with one of its buttons, after checking what it shows.
struct Answer {
  QMessageBox::StandardButton press;
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton byDefault = QMessageBox::NoButton;
  bool seen = false;
};

void answerSoon(Answer& answer) {
  QTimer::singleShot(0, [&answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    answer.seen = true;
    answer.title = box->windowTitle();
    answer.text = box->text();
    answer.icon = box->icon();
    answer.buttons = box->standardButtons();
    if (QAbstractButton* b = box->defaultButton()) answer.byDefault = box->standardButton(b);
    if (answer.press == QMessageBox::NoButton) {
      QTest::keyClick(box, Qt::Key_Return);
    } else {
      box->button(answer.press)->click();
    }
  });
}

using MessageBoxes = ShownWindow;

TEST_F(MessageBoxes, QuestionOffersYesByDefault) {
  Answer answer{QMessageBox::No, {}, {}, {}, {}, {}, false};
  answerSoon(answer);
  EXPECT_EQ(platform.messageBox("Private words", "Make one?", MessageIcon::Question,
                                MessageButtons::YesNo),
            MessageAnswer::No);
  ASSERT_TRUE(answer.seen);
  EXPECT_EQ(answer.title, "Private words");
  EXPECT_EQ(answer.text, "Make one?");
  EXPECT_EQ(answer.icon, QMessageBox::Question);
  EXPECT_EQ(answer.buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(answer.byDefault, QMessageBox::Yes);

  Answer enter{QMessageBox::NoButton, {}, {}, {}, {}, {}, false};
  answerSoon(enter);
  EXPECT_EQ(platform.messageBox("t", "q", MessageIcon::Question, MessageButtons::YesNo),
            MessageAnswer::Yes);
  EXPECT_TRUE(enter.seen);
}

TEST_F(MessageBoxes, CriticalAndWarningMessagesHaveOnlyOk) {
  Answer answer{QMessageBox::Ok, {}, {}, {}, {}, {}, false};
  answerSoon(answer);
  EXPECT_EQ(platform.messageBox("Quorvel", "PubEnglish.txt <missing> & gone", MessageIcon::Critical,
                                MessageButtons::Ok),
            MessageAnswer::Ok);
  ASSERT_TRUE(answer.seen);
  EXPECT_EQ(answer.icon, QMessageBox::Critical);
  EXPECT_EQ(answer.buttons, QMessageBox::Ok);
  EXPECT_EQ(answer.text, "PubEnglish.txt <missing> & gone");

  Answer warning{QMessageBox::Ok, {}, {}, {}, {}, {}, false};
  answerSoon(warning);
  platform.messageBox("Warning", "w", MessageIcon::Warning, MessageButtons::Ok);
  EXPECT_EQ(warning.icon, QMessageBox::Warning);
  EXPECT_EQ(warning.buttons, QMessageBox::Ok);
}

TEST(Clipboard, TextArrivesByteForByte) {
  QtPlatform platform;
  const std::string text = "0007 cat\r\n0012 d\xc3\xb6g\r\n";
  platform.clearClipboard();
  platform.setClipboardText(text);
  EXPECT_EQ(QApplication::clipboard()->text().toUtf8().toStdString(), text);
  platform.setClipboardText("cat\r\ndog");
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "cat\r\ndog");
  platform.clearClipboard();
  EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
}

TEST(Run, LoadHandlerThatEndsKeepsTheWindowHidden) {
  RecordingEvents events;
  QtPlatform platform;
  platform.setEvents(&events);
  bool shownDuringLoad = true;
  events.onLoad = [&] {
    shownDuringLoad = platform.window()->isVisible();
    platform.endProgram(7);
  };
  EXPECT_EQ(platform.run(), 7);
  EXPECT_EQ(events.loads, 1);
  EXPECT_FALSE(shownDuringLoad);
  EXPECT_FALSE(platform.window()->isVisible());
}

TEST(Run, WindowOpensCentredWithTheFocusInTheEntryBox) {
  RecordingEvents events;
  QtPlatform platform;
  platform.setEvents(&events);
  events.onLoad = [&] { platform.setText(Control::Label1, "PubEnglish"); };
  bool visible = false;
  QWidget* focus = nullptr;
  QPoint offCentre;
  QTimer::singleShot(0, [&] {
    visible = platform.window()->isVisible();
    focus = platform.window()->focusWidget();
    const QRect screen = platform.window()->screen()->availableGeometry();
    offCentre = platform.window()->frameGeometry().center() - screen.center();
    platform.endProgram(3);
  });
  EXPECT_EQ(platform.run(), 3);
  EXPECT_EQ(events.loads, 1);
  EXPECT_TRUE(visible);
  EXPECT_EQ(focus, platform.widget(Control::Text1));
  EXPECT_LE(offCentre.manhattanLength(), 2);
  EXPECT_EQ(platform.text(Control::Label1), "PubEnglish");
}

}  // namespace
}  // namespace quorvel::qttest
