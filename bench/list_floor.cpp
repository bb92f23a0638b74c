// The floor the start-up benchmark holds Quorvel against: a bare window of the size of
// Quorvel's, holding nothing but a QListView with uniform row heights over a
// QStringListModel, where and as the master list is drawn (place, size, font), showing the
// entries of the word file given ("0001 word", ...) after a blank first row, as the master
// list does. Each row costs one QString; the file's bytes are gone before the window shows.
// usage: list_floor WORDFILE
#include <QApplication>
#include <QFile>
#include <QListView>
#include <QStringListModel>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/WindowDesign.h"
#include "platform/qt/QtFonts.h"

namespace {

QStringList entries(const char* path) {
  QFile file(QString::fromLocal8Bit(path));
  if (!file.open(QIODevice::ReadOnly)) {
    std::perror(path);
    std::exit(1);
  }
  const QByteArray bytes = file.readAll();
  QStringList rows{QStringLiteral(" ")};
  QByteArray entry;
  qsizetype from = 0;
  for (int k = 1; from < bytes.size(); ++k) {
    qsizetype end = bytes.indexOf('\n', from);
    if (end < 0) end = bytes.size();
    const qsizetype stop = end > from && bytes[end - 1] == '\r' ? end - 1 : end;
    char number[16];
    entry.clear();
    entry.append(number, std::snprintf(number, sizeof number, "%04d ", k));
    entry.append(bytes.constData() + from, stop - from);
    rows.append(QString::fromUtf8(entry));
    from = end + 1;
  }
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s WORDFILE\n", argv[0]);
    return 2;
  }
  using namespace quorvel;
  const auto px = [](int twips) {
    return static_cast<int>(std::lround(twips / double{kTwipsPerPixel}));
  };
  QStringListModel model(entries(argv[1]));
  QWidget window;
  window.setWindowTitle(QStringLiteral("Floor"));
  const WindowDesign& design = windowDesign();
  window.setFixedSize(px(design.clientWidth), px(design.clientHeight));
  QListView view(&window);
  view.setUniformItemSizes(true);
  view.setModel(&model);
  view.setFont(boldFont(FontSize::Pt8_25));
  const ControlDesign& list = design.control(Control::WordList);
  view.setGeometry(px(list.left), px(list.top), px(list.width), px(list.height));
  window.show();
  return QApplication::exec();
}
