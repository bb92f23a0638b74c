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

#include "platform/WindowDesign.h"
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

QColor grey() {
  return QColor(design::kBackground[0], design::kBackground[1], design::kBackground[2]);
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
  auto* box = new QPlainTextEdit(parent);
  box->setReadOnly(true);
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setTabChangesFocus(true);
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
  button->setAutoDefault(false);
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

QString accessibleDescription(Control control, std::string_view toolTip) {
  const QString tip = qs(toolTip).trimmed();
  return tip.isEmpty() ? qs(design::control(control).purpose) : tip;
}

QtWindow::QtWindow(std::function<void(QCloseEvent*)> onClose)
    : main_(std::make_unique<ClosingWindow>(std::move(onClose))) {
  main_->setWindowTitle(qs(design::kTitle));
  // The program gives the application its icon, which every window of it then shows; read
  // it again only when the process has none.
  if (QApplication::windowIcon().isNull()) main_->setWindowIcon(programIcon());
  main_->setFont(windowFont());
  QPalette greyPalette = main_->palette();
  greyPalette.setColor(QPalette::Window, grey());
  main_->setPalette(greyPalette);

  buildMenus();
  main_->menuBar()->setPalette(QApplication::palette());

  auto* central = new QWidget(main_.get());
  central->setAutoFillBackground(true);
  central->setFixedSize(pixelRect(0, 0, design::kClientWidth, design::kClientHeight).size());
  main_->setCentralWidget(central);

  for (const auto& d : design::kControls) {
    if (d.kind == design::Kind::ListBox) rows_[index(d.id)] = std::make_unique<QtListModel>();
    if (d.scratch) continue;
    QWidget* w = buildControl(d, central);
    w->setObjectName(qs(d.name));
    if (d.font != design::FontSize::Default) w->setFont(boldFont(d.font));
    w->setGeometry(pixelRect(d.left, d.top, d.width, d.height));
    w->setToolTip(qs(d.toolTip));
    // Left unset, a label's or button's name is its text, and follows every change of it.
    if (!d.accessibleName.empty()) w->setAccessibleName(qs(d.accessibleName));
    w->setAccessibleDescription(accessibleDescription(d.id, d.toolTip));
    w->setVisible(d.visibleAtStart);
    widgets_[index(d.id)] = w;
  }
  list1_ = listView(Control::List1);

  for (std::size_t i = 1; i < design::kTabOrder.size(); ++i) {
    QWidget::setTabOrder(widget(design::kTabOrder[i - 1]), widget(design::kTabOrder[i]));
  }
  text1_->setFocus(Qt::OtherFocusReason);
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

QWidget* QtWindow::buildControl(const design::ControlDesign& d, QWidget* parent) {
  switch (d.kind) {
    case design::Kind::Label:
      return makeLabel(d.text, parent);
    case design::Kind::ListBox:
      return makeList(rows(d.id), parent);
    case design::Kind::TextBox:
      if (d.multiLine) return text3_ = makeCopyBox(parent);
      return text1_ = makeEntryBox(d.text, parent);
    case design::Kind::Button: {
      QPalette face = main_->palette();
      face.setColor(QPalette::Button, grey());
      return makeButton(d.text, face, parent);
    }
  }
  return nullptr;
}

void QtWindow::buildMenus() {
  QMenuBar* bar = main_->menuBar();
  // A desktop-wide menu bar would take the menus out of the window and change its height.
  bar->setNativeMenuBar(false);
  for (const auto& menuDesign : design::kMenus) {
    QMenu* menu = bar->addMenu(qs(menuDesign.caption));
    menu->setObjectName(qs(menuDesign.name));
    // The design opens and closes each drop-down with a separator; Qt would hide those.
    menu->setSeparatorsCollapsible(false);
    showEndSeparators(menu);
    for (int i = 0; i < menuDesign.count; ++i) {
      const auto& entry = menuDesign.entries[static_cast<std::size_t>(i)];
      QAction* action = entry.item ? menu->addAction(qs(entry.caption)) : menu->addSeparator();
      action->setObjectName(qs(entry.name));
      if (entry.item) actions_[static_cast<std::size_t>(*entry.item)] = action;
    }
  }
}

QListView* QtWindow::listView(Control control) const {
  if (control != Control::WordList && control != Control::List1) return nullptr;
  return static_cast<QListView*>(widget(control));
}

}  // namespace quorvel
