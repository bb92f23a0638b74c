// The window built from the design it is handed: the main window with its menus and controls,
// each with the design's object name, placed absolutely, in the design's fonts and colours.
// What the controls do is wired elsewhere (QtInput); this only makes them.
#pragma once

#include <QIcon>
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/qt/QtListModel.h"

class QAction;
class QCloseEvent;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QWidget;

namespace quorvel {

// The program's icon, drawn at two sizes.
QIcon programIcon();

// What a control is for, as a screen reader announces it: its tooltip where it has one, else
// the purpose the design gives.
QString accessibleDescription(const ControlDesign& control, std::string_view toolTip);

class QtWindow {
 public:
  // Builds the whole window, not shown yet, with the focus set to go to the entry box.
  // `onClose` receives the window's close requests; it accepts or ignores each. The design
  // outlives the window.
  QtWindow(const WindowDesign& design, std::function<void(QCloseEvent*)> onClose);
  ~QtWindow();
  QtWindow(const QtWindow&) = delete;
  QtWindow& operator=(const QtWindow&) = delete;

  const WindowDesign& design() const { return design_; }
  QMainWindow* main() const { return main_.get(); }
  // The real widget of a control.
  QWidget* widget(Control control) const { return widgets_[index(control)]; }
  // The rows of a list box; nullptr for other controls.
  QtListModel* rows(Control control) const { return rows_[index(control)].get(); }
  // The view of a list box; nullptr for anything else.
  QListView* listView(Control control) const;
  // The menu items that run a command, with it.
  const std::vector<std::pair<QAction*, MenuCommand>>& actions() const { return actions_; }

  QLineEdit* entryBox() const { return entryBox_; }
  QPlainTextEdit* copyBox() const { return copyBox_; }
  QListView* candidates() const { return candidates_; }

 private:
  static std::size_t index(Control control) { return static_cast<std::size_t>(control); }

  void buildMenus();
  QWidget* buildControl(const ControlDesign& d, QWidget* parent);

  const WindowDesign& design_;
  // Declared first, so the views that show them go before them.
  std::array<std::unique_ptr<QtListModel>, kControlCount> rows_{};
  std::unique_ptr<QMainWindow> main_;
  std::array<QWidget*, kControlCount> widgets_{};
  std::vector<std::pair<QAction*, MenuCommand>> actions_;
  QLineEdit* entryBox_ = nullptr;
  QPlainTextEdit* copyBox_ = nullptr;
  QListView* candidates_ = nullptr;
};

}  // namespace quorvel
