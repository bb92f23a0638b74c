// What a screen reader and a keyboard-only user get from the window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>

#include "QtTestSupport.h"

namespace quorvel::qttest {
namespace {

using Accessibility = ShownWindow;

TEST_F(Accessibility, EveryVisibleControlSaysWhatItIsAndWhatItDoes) {
  for (const auto& d : design::kControls) {
    QWidget* w = platform.widget(d.id);
    if (d.scratch) continue;
    ASSERT_NE(w, nullptr) << d.name;
    QAccessibleInterface* info = QAccessible::queryAccessibleInterface(w);
    ASSERT_NE(info, nullptr) << d.name;
    EXPECT_EQ(info->text(QAccessible::Name).toStdString(), d.accessibleName) << d.name;
    EXPECT_EQ(info->text(QAccessible::Description), QString::fromUtf8(d.toolTip).trimmed())
        << d.name;
  }
  // The mode button's description follows its tooltip when the mode changes.
  platform.setToolTip(Control::WordNum, " Click To Change To Words Input ");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(platform.widget(Control::WordNum))
                ->text(QAccessible::Description),
            "Click To Change To Words Input");
}

TEST_F(Accessibility, AccessKeysOpenTheMenus) {
  for (const auto& [key, title] : {std::pair{Qt::Key_F, "&File"}, {Qt::Key_L, "&Language"}}) {
    platform.setFocus(Control::Text1);
    QTest::keyClick(platform.window(), key, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr) << title;
    auto* menu = qobject_cast<QMenu*>(popup);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), title);
    menu->close();
  }
}

}  // namespace
}  // namespace quorvel::qttest
