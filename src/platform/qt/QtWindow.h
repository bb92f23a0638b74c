// The window built from the window design: the main window with its menus and controls, each
// named as in the design, placed absolutely, in the design's fonts and colours. What the
// controls do is wired elsewhere (QtInput); this only makes them.
#pragma once

#include <QIcon>
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string_view>

#include "platform/Platform.h"
#include "platform/WindowDesign.h"
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
QString accessibleDescription(Control control, std::string_view toolTip);

class QtWindow {
 public:
  // Builds the whole window, not shown yet, with the focus set to go to the entry box.
  // `onClose` receives the window's close requests; it accepts or ignores each.
  explicit QtWindow(std::function<void(QCloseEvent*)> onClose);
  ~QtWindow();
  QtWindow(const QtWindow&) = delete;
  QtWindow& operator=(const QtWindow&) = delete;

  QMainWindow* main() const { return main_.get(); }
  // The real widget of a control; nullptr for the scratch controls.
  QWidget* widget(Control control) const { return widgets_[index(control)]; }
  // The rows of a list box, the scratch list included; nullptr for other controls.
  QtListModel* rows(Control control) const { return rows_[index(control)].get(); }
  // The view of a list box that is shown; nullptr for anything else.
  QListView* listView(Control control) const;
  // The menu item that runs a handler.
  QAction* action(MenuItem item) const { return actions_[static_cast<std::size_t>(item)]; }

  QLineEdit* text1() const { return text1_; }
  QPlainTextEdit* text3() const { return text3_; }
  QListView* list1() const { return list1_; }

 private:
  static constexpr std::size_t kControls = design::kControls.size();
  static constexpr std::size_t kMenuItems = static_cast<std::size_t>(MenuItem::Spa) + 1;
  static std::size_t index(Control control) { return static_cast<std::size_t>(control); }

  void buildMenus();
  QWidget* buildControl(const design::ControlDesign& d, QWidget* parent);

  // Declared first, so the views that show them go before them.
  std::array<std::unique_ptr<QtListModel>, kControls> rows_{};
  std::unique_ptr<QMainWindow> main_;
  std::array<QWidget*, kControls> widgets_{};
  std::array<QAction*, kMenuItems> actions_{};
  QLineEdit* text1_ = nullptr;
  QPlainTextEdit* text3_ = nullptr;
  QListView* list1_ = nullptr;
};

}  // namespace quorvel
