#include <gtest/gtest.h>

#include "platform/qt/KeyCode.h"

namespace quorvel {
namespace {

std::optional<int> code(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                        const QString& text = {}) {
  return characterCode(key, modifiers, text);
}

TEST(KeyCode, PrintableKeysDeliverTheirCharacter) {
  EXPECT_EQ(code(Qt::Key_A, Qt::NoModifier, "a"), 97);
  EXPECT_EQ(code(Qt::Key_A, Qt::ShiftModifier, "A"), 65);
  EXPECT_EQ(code(Qt::Key_5, Qt::KeypadModifier, "5"), 53);
  EXPECT_EQ(code(Qt::Key_Space, Qt::NoModifier, " "), 32);
  EXPECT_EQ(code(Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xc3\xa9")), 0xE9);
  // A composed text delivers its first character only.
  EXPECT_EQ(code(Qt::Key_unknown, Qt::NoModifier, "xy"), 'x');
}

TEST(KeyCode, EditingKeysDeliverControlCodes) {
  EXPECT_EQ(code(Qt::Key_Backspace, Qt::NoModifier, "\b"), 8);
  EXPECT_EQ(code(Qt::Key_Return, Qt::NoModifier, "\r"), 13);
  EXPECT_EQ(code(Qt::Key_Enter, Qt::KeypadModifier, "\r"), 13);
  EXPECT_EQ(code(Qt::Key_Escape, Qt::NoModifier, "\x1b"), 27);
  EXPECT_EQ(code(Qt::Key_Backspace, Qt::ControlModifier), 127);
}

TEST(KeyCode, ControlLettersAreControlCodesWhatEverTheirText) {
  EXPECT_EQ(code(Qt::Key_A, Qt::ControlModifier, "\x01"), 1);
  EXPECT_EQ(code(Qt::Key_V, Qt::ControlModifier, "\x16"), 22);
  EXPECT_EQ(code(Qt::Key_V, Qt::ControlModifier, "v"), 22);
  EXPECT_EQ(code(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Z"), 26);
  // Other Control combinations stay editing commands of the box.
  EXPECT_EQ(code(Qt::Key_Left, Qt::ControlModifier), std::nullopt);
  EXPECT_EQ(code(Qt::Key_1, Qt::ControlModifier, "1"), std::nullopt);
}

TEST(KeyCode, KeysThatMoveOrDeleteDeliverNothing) {
  for (int key : {Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                  Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_F1, Qt::Key_Shift,
                  Qt::Key_Control, Qt::Key_Alt, Qt::Key_Insert}) {
    EXPECT_EQ(code(key), std::nullopt) << key;
  }
  EXPECT_EQ(code(Qt::Key_Delete, Qt::NoModifier, "\x7f"), std::nullopt);
  EXPECT_EQ(code(Qt::Key_Tab, Qt::NoModifier, "\t"), std::nullopt);
  EXPECT_EQ(code(Qt::Key_Backtab, Qt::ShiftModifier, "\t"), std::nullopt);
  EXPECT_EQ(code(Qt::Key_Insert, Qt::ShiftModifier), std::nullopt);
}

TEST(KeyCode, AltAndMetaCombinationsBelongToMenusAndDesktop) {
  EXPECT_EQ(code(Qt::Key_F, Qt::AltModifier, "f"), std::nullopt);
  EXPECT_EQ(code(Qt::Key_A, Qt::MetaModifier, "a"), std::nullopt);
  // Control+Alt is the third level of some layouts; it types what the layout gives.
  EXPECT_EQ(
      code(Qt::Key_E, Qt::ControlModifier | Qt::AltModifier, QString::fromUtf8("\xe2\x82\xac")),
      0x20AC);
  EXPECT_EQ(code(Qt::Key_E, Qt::ControlModifier | Qt::AltModifier), std::nullopt);
}

}  // namespace
}  // namespace quorvel
