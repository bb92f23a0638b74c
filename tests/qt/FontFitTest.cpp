// The substitute fonts must fit the designed controls: every caption in its control and every
// entry of every shipped word file in the list boxes, measured with the real fonts and the
// real style metrics.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <cstdio>

#include "QtTestSupport.h"

namespace quorvel::qttest {
namespace {

// The entries the lists show for one word file: four-digit number, a blank, the word.
QStringList entriesOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QList<QByteArray> lines = file.readAll().split('\n');
  QStringList entries;
  for (QByteArray line : lines) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty()) continue;
    entries.append(QString::asprintf("%04d ", static_cast<int>(entries.size()) + 1) +
                   QString::fromUtf8(line));
  }
  return entries;
}

class FontFit : public ShownWindow {
 protected:
  int textWidth(Control c, const QString& text) {
    return QFontMetrics(platform.widget(c)->font()).horizontalAdvance(text);
  }
  int textHeight(Control c) { return QFontMetrics(platform.widget(c)->font()).height(); }

  QRect buttonContents(Control c) {
    auto* button = as<QPushButton>(c);
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
  }
};

TEST_F(FontFit, ButtonCaptionsFit) {
  const struct {
    Control control;
    QString caption;
  } captions[] = {{Control::WordNum, "Words"},
                  {Control::WordNum, "Numbers"},
                  {Control::Command1, "Copy Num"},
                  {Control::Command2, "Copy Word"}};
  for (const auto& c : captions) {
    const QRect room = buttonContents(c.control);
    const int width = textWidth(c.control, c.caption);
    std::printf("  %-9s %-10s text %3dx%2d in %3dx%2d\n", design::control(c.control).name.data(),
                qPrintable(c.caption), width, textHeight(c.control), room.width(), room.height());
    EXPECT_LE(width, room.width()) << c.caption.toStdString();
    EXPECT_LE(textHeight(c.control), room.height()) << c.caption.toStdString();
  }
}

TEST_F(FontFit, LabelCaptionsFit) {
  const struct {
    Control control;
    QString caption;
  } captions[] = {{Control::Label1, "PubPortuguese"},
                  {Control::Label1, "PriPortuguese"},
                  {Control::Label2, "99"},
                  {Control::Label3, "Working Please Wait"}};
  const int clientHeight = platform.window()->centralWidget()->height();
  for (const auto& c : captions) {
    QWidget* label = platform.widget(c.control);
    const QRect room = label->contentsRect();
    const int width = textWidth(c.control, c.caption);
    std::printf("  %-9s %-20s text %3dx%2d in %3dx%2d\n", design::control(c.control).name.data(),
                qPrintable(c.caption), width, textHeight(c.control), room.width(), room.height());
    EXPECT_LE(width, room.width()) << c.caption.toStdString();
    // Captions sit at the top; the banner's lower part lies below the client area.
    const int visibleHeight = std::min(room.height(), clientHeight - label->y());
    EXPECT_LE(textHeight(c.control), visibleHeight) << c.caption.toStdString();
  }
}

TEST_F(FontFit, EntryBoxHoldsAWholeLine) {
  auto* box = as<QLineEdit>(Control::Text1);
  const QFontMetrics metrics(box->font());
  QStyleOptionFrame panel;
  panel.initFrom(box);
  panel.rect = box->rect();
  panel.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, box);
  const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &panel, box);
  // The line edit keeps one more pixel free above and below the text.
  const int room = contents.height() - 2;
  std::printf("  Text1     line %3dx%2d in %3dx%2d\n", metrics.horizontalAdvance("mmmmmmmmm"),
              metrics.height(), contents.width(), room);
  EXPECT_LE(metrics.height(), room);
  EXPECT_LE(metrics.horizontalAdvance("mmmmmmmmm"), contents.width());
}

TEST_F(FontFit, EveryEntryOfEveryWordFileFitsBothLists) {
  const QDir data(QStringLiteral(QUORVEL_DATA_DIR));
  const QStringList files = data.entryList({"Pub*.txt"}, QDir::Files, QDir::Name);
  ASSERT_EQ(files.size(), 6);
  for (Control c : {Control::WordList, Control::List1}) {
    auto* list = as<QListView>(c);
    const QFontMetrics metrics(list->font());
    // What an item view leaves for the text: the viewport beside the scroll bar, less the
    // style's text margins on both sides.
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    for (const QString& name : files) {
      const QStringList entries = entriesOf(data.filePath(name));
      ASSERT_EQ(entries.size(), 2048) << name.toStdString();
      platform.clearList(c);
      std::vector<std::string> items;
      for (const QString& e : entries) items.push_back(e.toStdString());
      platform.appendItems(c, items);
      QApplication::processEvents();
      ASSERT_TRUE(list->verticalScrollBar()->isVisible());
      const int room = list->viewport()->width() - 2 * margin;
      int widest = 0;
      QString widestEntry;
      for (const QString& e : entries) {
        const int w = metrics.horizontalAdvance(e);
        if (w > widest) {
          widest = w;
          widestEntry = e;
        }
      }
      std::printf("  %-8s %-18s widest \"%s\" %3d of %3d\n", design::control(c).name.data(),
                  qPrintable(name), qPrintable(widestEntry), widest, room);
      EXPECT_LE(widest, room) << name.toStdString() << " " << widestEntry.toStdString();
    }
  }
}

}  // namespace
}  // namespace quorvel::qttest
