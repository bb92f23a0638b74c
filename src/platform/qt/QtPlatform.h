// The window on Qt Widgets. Controls are placed absolutely from the window design; the three
// scratch controls are plain storage, so they can never come into view.
#pragma once

#include <QPointer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/qt/QtListModel.h"

class QEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListView;
class QMainWindow;
class QObject;
class QPlainTextEdit;
class QWidget;

namespace quorvel {

class QtPlatform : public Platform {
 public:
  // Builds the whole window, not shown yet. Needs a QApplication.
  QtPlatform();
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  void setEvents(WindowEvents* events);
  // Runs the load handler; unless it ended the program, shows the window centred with the
  // focus in the entry box and runs the event loop. Returns the exit status.
  int run();

  QMainWindow* window();
  // The real widget of a control; nullptr for the scratch controls.
  QWidget* widget(Control control);
  bool ended() const { return ended_; }
  int exitStatus() const { return exitStatus_; }

  std::optional<float> windowEdge(Edge edge) override;
  bool setWindowEdge(Edge edge, float twips) override;
  std::optional<float> screenWidth() override;
  float textWidth(std::string_view text) override;
  void doEvents() override;
  double monotonicSeconds() override;
  void endProgram(int status) override;
  void setInputEnabled(bool enabled) override;

  std::string text(Control control) override;
  void setText(Control control, std::string_view text) override;
  void appendText(Control control, std::string_view more) override;
  void setToolTip(Control control, std::string_view tip) override;
  void setVisible(Control control, bool visible) override;
  void setFocus(Control control) override;

  void clearList(Control list) override;
  void appendItem(Control list, std::string_view item) override;
  void appendItems(Control list, std::vector<std::string> items) override;
  void appendRows(Control list, const ListRows& rows) override;
  std::string itemAt(Control list, int index) override;
  int itemCount(Control list) override;
  std::string selectedText(Control list) override;
  float listWidth(Control list) override;
  void setColumns(Control list, int columns) override;

  MessageAnswer messageBox(std::string_view title, std::string_view text, MessageIcon icon,
                           MessageButtons buttons) override;

  void clearClipboard() override;
  void setClipboardText(std::string_view text) override;

 private:
  // What the program last put into a control. Only the entry box is edited by the user, so
  // for every other control this is the truth, byte for byte (line ends included), whatever
  // the widget makes of it for display.
  struct Slot {
    QWidget* widget = nullptr;
    std::string text;
    std::string toolTip;
    bool visible = false;
    std::unique_ptr<QtListModel> rows;  // list boxes only
    int columns = 1;
  };

  class Window;
  class Filter;

  Slot& slot(Control control);
  QListView* listView(Control list);
  bool handlersLive() const;
  void build();
  void buildMenus();
  void centre();
  bool filter(QObject* watched, QEvent* event);
  bool entryKey(QEvent* event);
  bool typeCharacter(int typed, const QKeyEvent* key);
  void composedText(const QString& committed);
  void listSelectionChanged();
  void closeRequested(QEvent* event);
  void releaseSizeLimits();
  void restoreFocus();
  void showText3();
  void scrollText3ToEnd();

  std::unique_ptr<Window> window_;
  std::unique_ptr<Filter> filter_;
  std::array<Slot, 14> slots_{};
  QLineEdit* text1_ = nullptr;
  QPlainTextEdit* text3_ = nullptr;
  QListView* list1_ = nullptr;
  QPointer<QWidget> focusBeforeDisable_;

  WindowEvents* events_ = nullptr;
  bool ended_ = false;
  int exitStatus_ = 0;
  bool inputEnabled_ = true;
  bool closing_ = false;
  bool inEventLoop_ = false;
  int listChangesByProgram_ = 0;
  // Outer sizes (pixels) the window system would not shrink below; 0 while unknown.
  int narrowest_ = 0;
  int lowest_ = 0;
};

}  // namespace quorvel
