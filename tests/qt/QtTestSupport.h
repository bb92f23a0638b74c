// Shared pieces of the widget tests: a window with a recording event receiver.
#pragma once

#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/WindowDesign.h"
#include "platform/qt/QtPlatform.h"

namespace quorvel::qttest {

// Records what the window delivers; each hook, when set, acts like the real handler would.
class RecordingEvents : public WindowEvents {
 public:
  void formLoad() override {
    ++loads;
    if (onLoad) onLoad();
  }
  void formUnload() override {
    ++unloads;
    if (onUnload) onUnload();
  }
  void menuClick(MenuItem item) override { menus.push_back(item); }
  void keyPress(Control box, int& code) override {
    boxes.push_back(box);
    keys.push_back(code);
    if (onKey) onKey(code);
  }
  void click(Control control) override {
    clicks.push_back(control);
    if (onClick) onClick(control);
  }

  int loads = 0;
  int unloads = 0;
  std::vector<MenuItem> menus;
  std::vector<Control> boxes;
  std::vector<int> keys;
  std::vector<Control> clicks;
  std::function<void()> onLoad;
  std::function<void()> onUnload;
  std::function<void(int&)> onKey;
  std::function<void(Control)> onClick;
};

// A built window, shown and active, with the recorder attached.
class ShownWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.setEvents(&events);
    platform.window()->show();
    QApplication::setActiveWindow(platform.window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(platform.window()));
  }

  template <typename T>
  T* as(Control control) {
    return static_cast<T*>(platform.widget(control));
  }

  RecordingEvents events;
  QtPlatform platform;
};

}  // namespace quorvel::qttest
