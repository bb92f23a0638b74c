#include "platform/qt/QtWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/qt/QtCopyBox.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtListKeys.h"
#include "platform/qt/QtListView.h"
#include "platform/qt/QtMenuEnds.h"
#include "platform/qt/QtUnits.h"

// The resources live in a static library; without this call the linker drops them.
static void initQuorvelResources() {
  Q_INIT_RESOURCE(quorvel);
}

namespace quorvel {

namespace {

QColor colour(const std::array<int, 3>& rgb) {
  return QColor(rgb[0], rgb[1], rgb[2]);
}

class ClosingWindow : public QMainWindow {
 public:
  explicit ClosingWindow(std::function<void(QCloseEvent*)> onClose)
      : onClose_(std::move(onClose)) {}

 protected:
  void closeEvent(QCloseEvent* event) override { onClose_(event); }

 private:
  std::function<void(QCloseEvent*)> onClose_;
};

QLabel* makeLabel(std::string_view text, QWidget* parent) {
  auto* label = new QLabel(qs(text), parent);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setAutoFillBackground(true);
  return label;
}

QListView* makeList(QtListModel* rows, QWidget* parent) {
  auto* list = new QtListView(parent);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  // Entries all have one height; this spares measuring rows that are never seen.
  list->setUniformItemSizes(true);
  list->setModel(rows);
  list->setPalette(QApplication::palette());
  selectByFirstKey(list);
  return list;
}

QPlainTextEdit* makeCopyBox(QWidget* parent) {
  auto* box = new QtCopyBox(parent);
  // Selectable but not editable: read-only, heard as such, and Tab goes on to the next control.
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setFocusPolicy(Qt::StrongFocus);
  box->setPalette(QApplication::palette());
  return box;
}

QLineEdit* makeEntryBox(std::string_view text, QWidget* parent) {
  auto* box = new QLineEdit(qs(text), parent);
  // No input method session: a full one would edit the box with text of its own. Dead keys
  // and compose sequences still arrive, as input method text (see QtInput).
  box->setAttribute(Qt::WA_InputMethodEnabled, false);
  box->setPalette(QApplication::palette());
  return box;
}

QPushButton* makeButton(std::string_view text, const QPalette& face, QWidget* parent) {
  auto* button = new QPushButton(qs(text), parent);
  button->setPalette(face);
  return button;
}

}  // namespace

QIcon programIcon() {
  initQuorvelResources();
  // Drawn at both sizes, so a screen scaled to 200% gets a sharp icon, not an enlarged one.
  // The format is fixed: guessing it makes Qt load every image plugin, which costs start-up
  // time and memory for two PNG files of our own.
  QIcon icon;
  for (const char* name : {":/quorvel.png", ":/quorvel-96.png"}) {
    QImageReader reader(QString::fromLatin1(name), "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

QString accessibleDescription(const ControlDesign& control, std::string_view toolTip) {
  const QString tip = qs(toolTip).trimmed();
  return tip.isEmpty() ? qs(control.purpose) : tip;
}

QtWindow::QtWindow(const WindowDesign& design, std::function<void(QCloseEvent*)> onClose)
    : design_(design), main_(std::make_unique<ClosingWindow>(std::move(onClose))) {
  main_->setWindowTitle(qs(design_.title));
  // The program gives the application its icon, which every window of it then shows; read
  // it again only when the process has none.
  if (QApplication::windowIcon().isNull()) main_->setWindowIcon(programIcon());
  main_->setFont(windowFont());
  QPalette greyPalette = main_->palette();
  greyPalette.setColor(QPalette::Window, colour(design_.background));
  main_->setPalette(greyPalette);

  buildMenus();
  main_->menuBar()->setPalette(QApplication::palette());

  auto* central = new QWidget(main_.get());
  central->setAutoFillBackground(true);
  central->setFixedSize(pixelRect(0, 0, design_.clientWidth, design_.clientHeight).size());
  main_->setCentralWidget(central);

  for (const auto& d : design_.controls) {
    if (d.kind == ControlKind::ListBox) rows_[index(d.id)] = std::make_unique<QtListModel>();
    QWidget* w = buildControl(d, central);
    w->setObjectName(qs(d.objectName));
    if (d.font != FontSize::Default) w->setFont(boldFont(d.font));
    w->setGeometry(pixelRect(d.left, d.top, d.width, d.height));
    w->setToolTip(qs(d.toolTip));
    // Left unset, a label's or button's name is its text, and follows every change of it.
    if (!d.accessibleName.empty()) w->setAccessibleName(qs(d.accessibleName));
    w->setAccessibleDescription(accessibleDescription(d, d.toolTip));
    w->setVisible(d.visibleAtStart);
    widgets_[index(d.id)] = w;
  }
  candidates_ = listView(Control::Candidates);

  for (std::size_t i = 1; i < design_.tabOrder.size(); ++i) {
    QWidget::setTabOrder(widget(design_.tabOrder[i - 1]), widget(design_.tabOrder[i]));
  }
  entryBox_->setFocus(Qt::OtherFocusReason);
  main_->setFixedSize(main_->sizeHint());
  // On Wayland Qt draws the title bar itself, with a maximise button even on a fixed-size window,
  // and a maximised window that keeps its size breaks the compositor's protocol: the compositor
  // ends the program. There the window may grow; the controls keep their places.
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    central->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    main_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
}

QtWindow::~QtWindow() = default;

QWidget* QtWindow::buildControl(const ControlDesign& d, QWidget* parent) {
  switch (d.kind) {
    case ControlKind::Label:
      return makeLabel(d.text, parent);
    case ControlKind::ListBox:
      return makeList(rows(d.id), parent);
    case ControlKind::TextBox:
      if (d.multiLine) return copyBox_ = makeCopyBox(parent);
      return entryBox_ = makeEntryBox(d.text, parent);
    case ControlKind::Button: {
      QPalette face = main_->palette();
      face.setColor(QPalette::Button, colour(design_.background));
      return makeButton(d.text, face, parent);
    }
  }
  return nullptr;
}

void QtWindow::buildMenus() {
  QMenuBar* bar = main_->menuBar();
  // A desktop-wide menu bar would take the menus out of the window and change its height.
  bar->setNativeMenuBar(false);
  for (const auto& menuDesign : design_.menus) {
    QMenu* menu = bar->addMenu(qs(menuDesign.caption));
    menu->setObjectName(qs(menuDesign.objectName));
    // The design opens and closes each drop-down with a separator; Qt would hide those.
    menu->setSeparatorsCollapsible(false);
    showEndSeparators(menu);
    for (const auto& entry : menuDesign.entries) {
      QAction* action = entry.command ? menu->addAction(qs(entry.caption)) : menu->addSeparator();
      action->setObjectName(qs(entry.objectName));
      if (entry.command) actions_.emplace_back(action, *entry.command);
    }
  }
}

QListView* QtWindow::listView(Control control) const {
  if (control != Control::WordList && control != Control::Candidates) return nullptr;
  return static_cast<QListView*>(widget(control));
}

}  // namespace quorvel
