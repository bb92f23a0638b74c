// Helpers for the tests that drive the real widgets: what the window delivers, recorded; menu
// items by caption; list rows clicked.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <functional>
#include <vector>

#include "app/WindowDesign.h"
#include "platform/qt/QtPlatform.h"

namespace quorvel::testing {

// Records what the window delivers; onKey may change the code, as the program's handler does.
struct RecordingEvents : WindowEvents {
  void onLoad() override {}
  void onClose() override {
    ++unloads;
    if (onUnload) onUnload();
  }
  void onMenu(MenuCommand command) override { menus.push_back(command); }
  int onEntryKey(int code) override {
    keys.push_back(code);
    if (onKey) onKey(code);
    return code;
  }
  void onClick(Control control) override { clicks.push_back(control); }
  int unloads = 0;
  std::vector<MenuCommand> menus;
  std::vector<int> keys;
  std::vector<Control> clicks;
  std::function<void(int&)> onKey;
  std::function<void()> onUnload;
};

class ShownWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.setEvents(&events);
    ui.window()->show();
    QApplication::setActiveWindow(ui.window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui.window()));
  }
  RecordingEvents events;
  QtPlatform ui{windowDesign()};
};

inline QAction* menuItem(QMainWindow* window, const QString& caption) {
  for (QAction* title : window->menuBar()->actions()) {
    for (QAction* item : title->menu()->actions()) {
      if (item->text().remove('&') == caption) return item;
    }
  }
  return nullptr;
}

inline void clickRow(QWidget* view, int row, Qt::MouseButton button = Qt::LeftButton) {
  auto* list = static_cast<QListView*>(view);
  const QModelIndex index = list->model()->index(row, 0);
  QTest::mouseClick(list->viewport(), button, {}, list->visualRect(index).center());
}

}  // namespace quorvel::testing
