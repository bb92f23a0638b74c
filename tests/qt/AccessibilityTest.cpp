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
  // Captioned controls are announced by what they show, the others by what they are.
  const std::pair<Control, const char*> names[] = {{Control::Label1, ""},
                                                   {Control::Label2, ""},
                                                   {Control::Label3, "Working Please Wait"},
                                                   {Control::Label4, ""},
                                                   {Control::Command1, "Copy Num"},
                                                   {Control::Command2, "Copy Word"},
                                                   {Control::WordNum, "Words"},
                                                   {Control::Text1, "Entry box"},
                                                   {Control::List1, "Candidates"},
                                                   {Control::Text3, "Copy box"},
                                                   {Control::WordList, "Word list"}};
  for (const auto& [control, name] : names) {
    const auto& d = design::control(control);
    QAccessibleInterface* info = QAccessible::queryAccessibleInterface(platform.widget(control));
    ASSERT_NE(info, nullptr) << d.name;
    EXPECT_EQ(info->text(QAccessible::Name), name) << d.name;
    const QString description = info->text(QAccessible::Description);
    EXPECT_FALSE(description.isEmpty()) << d.name;
    EXPECT_EQ(description, description.trimmed()) << d.name;
  }
  EXPECT_EQ(std::size(names) + 3, design::kControls.size());  // all but the scratch controls
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
