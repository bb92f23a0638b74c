#include "platform/qt/QtPlatform.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>
#include <chrono>
#include <cmath>
#include <functional>

#include "platform/WindowDesign.h"
#include "platform/qt/KeyCode.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtListKeys.h"
#include "platform/qt/QtMenuEnds.h"
#include "platform/qt/SecretClipboard.h"

// The resources live in a static library; without this call the linker drops them.
static void initQuorvelResources() {
  Q_INIT_RESOURCE(quorvel);
}

namespace quorvel {

namespace {

// How long a window change may take to come back from the window system.
constexpr qint64 kConfirmMilliseconds = 40;

constexpr int kSlots = static_cast<int>(std::tuple_size_v<decltype(design::kControls)>);

// Twips to device-independent pixels. Both edges are rounded, so neighbouring controls that
// share an edge in twips share it in pixels too.
QRect pixelRect(int left, int top, int width, int height) {
  const auto px = [](int twips) {
    return static_cast<int>(std::lround(twips / double{design::kTwipsPerPixel}));
  };
  const int x = px(left);
  const int y = px(top);
  return QRect(x, y, px(left + width) - x, px(top + height) - y);
}

QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string bytes(const QString& text) {
  return text.toUtf8().toStdString();
}

QColor grey() {
  return QColor(design::kBackground[0], design::kBackground[1], design::kBackground[2]);
}

// What a control is for: its tooltip where it has one, else the purpose the design gives.
QString accessibleDescription(Control control, std::string_view toolTip) {
  const QString tip = qs(toolTip).trimmed();
  return tip.isEmpty() ? qs(design::control(control).purpose) : tip;
}

}  // namespace

class QtPlatform::Window : public QMainWindow {
 public:
  explicit Window(std::function<void(QCloseEvent*)> onClose) : onClose_(std::move(onClose)) {}

 protected:
  void closeEvent(QCloseEvent* event) override { onClose_(event); }

 private:
  std::function<void(QCloseEvent*)> onClose_;
};

class QtPlatform::Filter : public QObject {
 public:
  explicit Filter(std::function<bool(QObject*, QEvent*)> handler) : handler_(std::move(handler)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

 private:
  std::function<bool(QObject*, QEvent*)> handler_;
};

QtPlatform::QtPlatform() {
  initQuorvelResources();
  // Fusion honours palettes, so the light grey faces look the same on every desktop.
  if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  }
  // The program ends only through endProgram, which sets the exit status itself.
  QApplication::setQuitOnLastWindowClosed(false);

  window_ = std::make_unique<Window>([this](QCloseEvent* event) { closeRequested(event); });
  filter_ = std::make_unique<Filter>(
      [this](QObject* watched, QEvent* event) { return filter(watched, event); });
  build();
  markWidgetCopiesSecret(window_.get());
}

QtPlatform::~QtPlatform() {
  // Widgets go before the filter they report to.
  window_.reset();
}

void QtPlatform::setEvents(WindowEvents* events) {
  events_ = events;
}

QMainWindow* QtPlatform::window() {
  return window_.get();
}

QWidget* QtPlatform::widget(Control control) {
  return slot(control).widget;
}

QtPlatform::Slot& QtPlatform::slot(Control control) {
  return slots_[static_cast<std::size_t>(control)];
}

QListView* QtPlatform::listView(Control list) {
  if (list != Control::WordList && list != Control::List1) return nullptr;
  return static_cast<QListView*>(slot(list).widget);
}

bool QtPlatform::handlersLive() const {
  return events_ != nullptr && !ended_ && inputEnabled_ && !closing_;
}

void QtPlatform::build() {
  static_assert(kSlots == 14);
  window_->setWindowTitle(qs(design::kTitle));
  // Drawn at both sizes, so a screen scaled to 200% gets a sharp icon, not an enlarged one.
  QIcon icon(QStringLiteral(":/quorvel.png"));
  icon.addFile(QStringLiteral(":/quorvel-96.png"));
  window_->setWindowIcon(icon);
  QApplication::setWindowIcon(icon);
  window_->setFont(windowFont());

  QPalette greyPalette = window_->palette();
  greyPalette.setColor(QPalette::Window, grey());
  window_->setPalette(greyPalette);
  QPalette buttonPalette = greyPalette;
  buttonPalette.setColor(QPalette::Button, grey());
  const QPalette plain = QApplication::palette();

  buildMenus();
  window_->menuBar()->setPalette(plain);

  auto* central = new QWidget(window_.get());
  central->setAutoFillBackground(true);
  central->setFixedSize(pixelRect(0, 0, design::kClientWidth, design::kClientHeight).size());
  window_->setCentralWidget(central);

  for (const auto& d : design::kControls) {
    Slot& s = slot(d.id);
    s.text = std::string(d.text);
    s.toolTip = std::string(d.toolTip);
    s.visible = d.visibleAtStart;
    if (d.kind == design::Kind::ListBox) s.rows = std::make_unique<QtListModel>();
    if (d.scratch) continue;

    QWidget* w = nullptr;
    switch (d.kind) {
      case design::Kind::Label: {
        auto* label = new QLabel(qs(d.text), central);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setAutoFillBackground(true);
        w = label;
        break;
      }
      case design::Kind::ListBox: {
        auto* list = new QListView(central);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        // Entries all have one height; this spares measuring rows that are never seen.
        list->setUniformItemSizes(true);
        list->setModel(s.rows.get());
        list->setPalette(plain);
        selectByFirstKey(list);
        w = list;
        break;
      }
      case design::Kind::TextBox:
        if (d.multiLine) {
          text3_ = new QPlainTextEdit(central);
          text3_->setReadOnly(true);
          text3_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
          text3_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
          text3_->setLineWrapMode(QPlainTextEdit::NoWrap);
          text3_->setTabChangesFocus(true);
          text3_->setFocusPolicy(Qt::StrongFocus);
          text3_->setPalette(plain);
          text3_->viewport()->installEventFilter(filter_.get());
          w = text3_;
        } else {
          text1_ = new QLineEdit(qs(d.text), central);
          // No input method session: a full one would edit the box with text of its own. Dead
          // keys and compose sequences still arrive, as input method text (see filter).
          text1_->setAttribute(Qt::WA_InputMethodEnabled, false);
          text1_->setPalette(plain);
          text1_->installEventFilter(filter_.get());
          w = text1_;
        }
        break;
      case design::Kind::Button: {
        auto* button = new QPushButton(qs(d.text), central);
        button->setAutoDefault(false);
        button->setPalette(buttonPalette);
        const Control id = d.id;
        QObject::connect(button, &QPushButton::clicked, [this, id] {
          if (handlersLive()) events_->click(id);
        });
        w = button;
        break;
      }
    }
    if (d.font != design::FontSize::Default) w->setFont(boldFont(d.font));
    w->setGeometry(pixelRect(d.left, d.top, d.width, d.height));
    w->setToolTip(qs(d.toolTip));
    // Left unset, a label's or button's name is its text, and follows every change of it.
    if (!d.accessibleName.empty()) w->setAccessibleName(qs(d.accessibleName));
    w->setAccessibleDescription(accessibleDescription(d.id, d.toolTip));
    w->setVisible(d.visibleAtStart);
    s.widget = w;
  }

  list1_ = listView(Control::List1);
  list1_->viewport()->installEventFilter(filter_.get());
  QObject::connect(list1_->selectionModel(), &QItemSelectionModel::selectionChanged,
                   [this] { listSelectionChanged(); });

  for (std::size_t i = 1; i < design::kTabOrder.size(); ++i) {
    QWidget::setTabOrder(widget(design::kTabOrder[i - 1]), widget(design::kTabOrder[i]));
  }
  text1_->setFocus(Qt::OtherFocusReason);
  window_->setFixedSize(window_->sizeHint());
}

void QtPlatform::buildMenus() {
  QMenuBar* bar = window_->menuBar();
  // A desktop-wide menu bar would take the menus out of the window and change its height.
  bar->setNativeMenuBar(false);
  for (const auto& menuDesign : design::kMenus) {
    QMenu* menu = bar->addMenu(qs(menuDesign.caption));
    // The design opens and closes each drop-down with a separator; Qt would hide those.
    menu->setSeparatorsCollapsible(false);
    showEndSeparators(menu);
    for (int i = 0; i < menuDesign.count; ++i) {
      const auto& entry = menuDesign.entries[static_cast<std::size_t>(i)];
      if (!entry.item) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(qs(entry.caption));
      const MenuItem item = *entry.item;
      QObject::connect(action, &QAction::triggered, [this, item] {
        if (handlersLive()) events_->menuClick(item);
      });
    }
  }
}

int QtPlatform::run() {
  if (events_ != nullptr && !ended_) events_->formLoad();
  if (ended_) return exitStatus_;

  centre();
  window_->show();
  // The frame is known only once shown (where the window system tells it at once).
  centre();
  window_->raise();
  window_->activateWindow();
  if (text1_->isEnabled()) text1_->setFocus(Qt::ActiveWindowFocusReason);

  inEventLoop_ = true;
  const int status = QApplication::exec();
  inEventLoop_ = false;
  return ended_ ? exitStatus_ : status;
}

void QtPlatform::centre() {
  QScreen* screen = window_->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QSize size = window_->frameGeometry().size();
  window_->move(area.x() + (area.width() - size.width()) / 2,
                area.y() + (area.height() - size.height()) / 2);
}

bool QtPlatform::filter(QObject* watched, QEvent* event) {
  if (watched == text1_) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
      return entryKey(event);
    }
    if (event->type() == QEvent::InputMethod) {
      // A dead key or compose sequence (é from ´ and e) comes as committed text, not as a key
      // press; left to the box it would go in unfiltered and start no scan.
      composedText(static_cast<QInputMethodEvent*>(event)->commitString());
      return true;
    }
    return false;
  }
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseButtonDblClick) {
    return false;
  }
  if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
    // Only the left button picks a candidate; the others would select one unasked.
    return list1_ != nullptr && watched == list1_->viewport();
  }
  if (type != QEvent::MouseButtonPress) return false;
  if (!handlersLive()) return false;
  if (text3_ != nullptr && watched == text3_->viewport()) {
    // Selecting still works: the press goes on to the box after the handler.
    events_->click(Control::Text3);
  } else if (list1_ != nullptr && watched == list1_->viewport()) {
    // A press on the entry already selected changes no selection, yet it is a click.
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (const QModelIndex index = list1_->indexAt(at);
        index.isValid() && list1_->selectionModel()->isSelected(index)) {
      events_->click(Control::List1);
    }
  }
  return false;
}

bool QtPlatform::entryKey(QEvent* event) {
  auto* key = static_cast<QKeyEvent*>(event);
  const std::optional<int> typed = characterCode(key->key(), key->modifiers(), key->text());
  if (!typed) return false;
  if (event->type() == QEvent::ShortcutOverride) {
    // Keep a typed character out of every shortcut: it must come back as a key press.
    event->accept();
    return true;
  }
  if (!handlersLive()) return true;
  return typeCharacter(*typed, key);
}

void QtPlatform::composedText(const QString& committed) {
  for (const QChar c : committed) {
    if (!handlersLive()) return;
    const int typed = c.unicode();
    // Whatever composes into a control character is no typing.
    if (typed >= 32 && typed != 127) typeCharacter(typed, nullptr);
  }
}

// Runs the key handler for one typed character and applies the code it leaves. False when the
// box may go on and handle `key` (null for composed text) itself.
bool QtPlatform::typeCharacter(int typed, const QKeyEvent* key) {
  int code = typed;
  events_->keyPress(Control::Text1, code);
  if (ended_) return true;
  code &= 0xFFFF;
  if (code == 0) return true;

  if (code < 32 || code == 127) {
    // A single-line box has no place for control characters. Letting the box see Control+V
    // or Control+X would edit it behind the filter's back, so only Backspace gets through.
    if (code != 8) return true;
    if (code == typed && key != nullptr) return false;
    text1_->backspace();
    return true;
  }
  const QString character(QChar(static_cast<char16_t>(code)));
  if (code == typed && key != nullptr && key->text() == character) return false;
  text1_->insert(character);
  return true;
}

void QtPlatform::listSelectionChanged() {
  if (listChangesByProgram_ > 0 || !handlersLive()) return;
  if (!list1_->selectionModel()->hasSelection()) return;
  events_->click(Control::List1);
}

void QtPlatform::closeRequested(QEvent* event) {
  if (ended_) {
    event->accept();
    return;
  }
  event->ignore();
  if (closing_ || !inputEnabled_) return;
  if (events_ == nullptr) {
    event->accept();
    return;
  }
  closing_ = true;
  releaseSizeLimits();
  events_->formUnload();
  // Closing is never cancelled: should the handler return without ending, end here.
  if (!ended_) endProgram(0);
  event->accept();
}

void QtPlatform::releaseSizeLimits() {
  // The window is fixed for the user, but the closing movement shrinks it.
  if (QWidget* central = window_->centralWidget()) {
    central->setMinimumSize(0, 0);
    central->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  window_->setMinimumSize(1, 1);
  window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

std::optional<float> QtPlatform::windowEdge(Edge edge) {
  const QRect frame = window_->frameGeometry();
  int pixels = 0;
  switch (edge) {
    case Edge::Top:
      pixels = frame.y();
      break;
    case Edge::Left:
      pixels = frame.x();
      break;
    case Edge::Width:
      pixels = frame.width();
      break;
    case Edge::Height:
      pixels = frame.height();
      break;
  }
  return static_cast<float>(pixels) * design::kTwipsPerPixel;
}

bool QtPlatform::setWindowEdge(Edge edge, float twips) {
  if (!std::isfinite(twips) || std::fabs(twips) > 1.0e8f) return false;
  // Wayland clients cannot place their own windows.
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return false;
  if (window_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
    return false;
  }
  const int pixels = static_cast<int>(std::lround(twips / double{design::kTwipsPerPixel}));
  const QRect frame = window_->frameGeometry();
  const QRect inner = window_->geometry();
  const int frameWidth = frame.width() - inner.width();
  const int frameHeight = frame.height() - inner.height();
  QRect wanted = frame;
  switch (edge) {
    case Edge::Top:
      wanted.moveTop(pixels);
      break;
    case Edge::Left:
      wanted.moveLeft(pixels);
      break;
    case Edge::Width:
      if (pixels <= 0 || pixels - frameWidth < window_->minimumWidth() ||
          pixels - frameWidth > window_->maximumWidth() ||
          (pixels < frame.width() && frame.width() <= narrowest_)) {
        return false;
      }
      wanted.setWidth(pixels);
      break;
    case Edge::Height:
      if (pixels <= 0 || pixels - frameHeight < window_->minimumHeight() ||
          pixels - frameHeight > window_->maximumHeight() ||
          (pixels < frame.height() && frame.height() <= lowest_)) {
        return false;
      }
      wanted.setHeight(pixels);
      break;
  }
  if (wanted == frame) return true;

  if (edge == Edge::Top || edge == Edge::Left) {
    window_->move(wanted.topLeft());
  } else {
    window_->resize(wanted.width() - frameWidth, wanted.height() - frameHeight);
  }
  if (!window_->isVisible()) return true;

  // Hand the change to the window system and wait until it reports it back, so each step is
  // seen and the next read finds it. Only the user's keys and clicks are held back: no
  // handler may run meanwhile.
  QElapsedTimer waited;
  waited.start();
  while (true) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QRect now = window_->frameGeometry();
    const bool applied = (edge == Edge::Top && now.top() == wanted.top()) ||
                         (edge == Edge::Left && now.left() == wanted.left()) ||
                         (edge == Edge::Width && now.width() == wanted.width()) ||
                         (edge == Edge::Height && now.height() == wanted.height());
    if (applied) return true;
    if (waited.elapsed() >= kConfirmMilliseconds) break;
    QThread::yieldCurrentThread();
  }
  // The window system kept its own value. A size it will not shrink below is remembered, so
  // later steps are refused at once instead of waiting again.
  const QRect now = window_->frameGeometry();
  if (edge == Edge::Width && wanted.width() < frame.width() && now.width() >= frame.width()) {
    narrowest_ = now.width();
  }
  if (edge == Edge::Height && wanted.height() < frame.height() && now.height() >= frame.height()) {
    lowest_ = now.height();
  }
  return now != frame;
}

std::optional<float> QtPlatform::screenWidth() {
  QScreen* screen = window_->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return std::nullopt;
  return static_cast<float>(screen->geometry().width()) * design::kTwipsPerPixel;
}

float QtPlatform::textWidth(std::string_view text) {
  const QFontMetricsF metrics(window_->font());
  return static_cast<float>(metrics.horizontalAdvance(qs(text)) * design::kTwipsPerPixel);
}

void QtPlatform::doEvents() {
  QCoreApplication::processEvents();
}

double QtPlatform::monotonicSeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void QtPlatform::endProgram(int status) {
  if (ended_) return;
  ended_ = true;
  exitStatus_ = status;
  window_->close();
  // Outside the event loop (the load handler) run() returns the status itself; telling a
  // loop that has not started to quit would only stop the next one.
  if (inEventLoop_) QCoreApplication::exit(status);
}

void QtPlatform::setInputEnabled(bool enabled) {
  if (!enabled && inputEnabled_) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || focus->window() != window_.get()) focus = window_->focusWidget();
    focusBeforeDisable_ = focus;
  }
  inputEnabled_ = enabled;
  window_->menuBar()->setEnabled(enabled);
  for (Control c : design::kTabOrder) widget(c)->setEnabled(enabled);
  if (enabled) restoreFocus();
}

void QtPlatform::restoreFocus() {
  // Disabling moved the focus away; give it back to where it was, or to where the program
  // asked for it meanwhile.
  if (focusBeforeDisable_ != nullptr && focusBeforeDisable_->isEnabled()) {
    focusBeforeDisable_->setFocus(Qt::OtherFocusReason);
  }
  focusBeforeDisable_ = nullptr;
}

std::string QtPlatform::text(Control control) {
  if (control == Control::Text1) return bytes(text1_->text());
  return slot(control).text;
}

void QtPlatform::setText(Control control, std::string_view text) {
  Slot& s = slot(control);
  if (control == Control::Text1) {
    text1_->setText(qs(text));
    return;
  }
  s.text = std::string(text);
  if (control == Control::Text3) {
    showText3();
  } else if (auto* label = qobject_cast<QLabel*>(s.widget)) {
    label->setText(qs(text));
  } else if (auto* button = qobject_cast<QPushButton*>(s.widget)) {
    button->setText(qs(text));
  }
}

void QtPlatform::appendText(Control control, std::string_view more) {
  if (control != Control::Text3) {
    Platform::appendText(control, more);
    return;
  }
  std::string& stored = slot(Control::Text3).text;
  // A CR LF split between two appends shows differently from a whole one: redraw it all.
  const bool splitLineEnd =
      !stored.empty() && stored.back() == '\r' && !more.empty() && more.front() == '\n';
  stored.append(more);
  if (splitLineEnd) {
    showText3();
    return;
  }
  QString shown = qs(more);
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QTextCursor end(text3_->document());
  end.movePosition(QTextCursor::End);
  end.insertText(shown);
  scrollText3ToEnd();
}

void QtPlatform::scrollText3ToEnd() {
  // The newest pick is at the end, so that is what the box shows.
  text3_->moveCursor(QTextCursor::End);
  text3_->ensureCursorVisible();
  text3_->verticalScrollBar()->setValue(text3_->verticalScrollBar()->maximum());
}

void QtPlatform::showText3() {
  // The box breaks lines at LF alone; the stored text keeps its CR LF.
  QString shown = qs(slot(Control::Text3).text);
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text3_->setPlainText(shown);
  scrollText3ToEnd();
}

void QtPlatform::setToolTip(Control control, std::string_view tip) {
  Slot& s = slot(control);
  s.toolTip = std::string(tip);
  if (s.widget != nullptr) {
    s.widget->setToolTip(qs(tip));
    s.widget->setAccessibleDescription(accessibleDescription(control, tip));
  }
}

void QtPlatform::setVisible(Control control, bool visible) {
  Slot& s = slot(control);
  s.visible = visible;
  if (s.widget != nullptr) s.widget->setVisible(visible);
}

void QtPlatform::setFocus(Control control) {
  QWidget* w = widget(control);
  if (w == nullptr) return;
  if (!inputEnabled_) {
    focusBeforeDisable_ = w;
    return;
  }
  w->setFocus(Qt::OtherFocusReason);
}

void QtPlatform::clearList(Control list) {
  if (QtListModel* rows = slot(list).rows.get()) {
    ++listChangesByProgram_;
    rows->clear();
    --listChangesByProgram_;
  }
}

void QtPlatform::appendItem(Control list, std::string_view item) {
  appendItems(list, {std::string(item)});
}

void QtPlatform::appendItems(Control list, std::vector<std::string> items) {
  if (QtListModel* rows = slot(list).rows.get()) {
    ++listChangesByProgram_;
    rows->append(std::move(items));
    --listChangesByProgram_;
  }
}

void QtPlatform::appendRows(Control list, const ListRows& shown) {
  if (QtListModel* rows = slot(list).rows.get()) {
    ++listChangesByProgram_;
    rows->append(shown);
    --listChangesByProgram_;
  }
}

std::string QtPlatform::itemAt(Control list, int index) {
  const QtListModel* rows = slot(list).rows.get();
  if (rows == nullptr || index < 0) return {};
  return rows->item(static_cast<std::size_t>(index));
}

int QtPlatform::itemCount(Control list) {
  const QtListModel* rows = slot(list).rows.get();
  return rows == nullptr ? 0 : static_cast<int>(rows->count());
}

std::string QtPlatform::selectedText(Control list) {
  QListView* view = listView(list);
  if (view == nullptr) return {};
  const QModelIndexList selected = view->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return {};
  return itemAt(list, selected.front().row());
}

float QtPlatform::listWidth(Control list) {
  return static_cast<float>(design::control(list).width);
}

void QtPlatform::setColumns(Control list, int columns) {
  slot(list).columns = columns;
}

MessageAnswer QtPlatform::messageBox(std::string_view title, std::string_view text,
                                     MessageIcon icon, MessageButtons buttons) {
  const QMessageBox::Icon shown = icon == MessageIcon::Critical  ? QMessageBox::Critical
                                  : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                 : QMessageBox::Question;
  QMessageBox box(
      shown, qs(title), qs(text),
      buttons == MessageButtons::Ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No,
      window_->isVisible() ? window_.get() : nullptr);
  box.setTextFormat(Qt::PlainText);
  if (buttons == MessageButtons::YesNo) {
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
  }
  const int answer = box.exec();
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtPlatform::clearClipboard() {
  QGuiApplication::clipboard()->clear();
}

void QtPlatform::setClipboardText(std::string_view text) {
  setSecretClipboardText(qs(text));
}

}  // namespace quorvel
