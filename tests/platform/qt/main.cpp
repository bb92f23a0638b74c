// A QApplication for the widget tests, set up as the program sets up its own.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/QtStyle.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  // As the program sets up the process: fonts fit and pixels fall as they do in its style.
  QApplication::setStyle(quorvel::makeProgramStyle());
  QApplication::setQuitOnLastWindowClosed(false);
  return RUN_ALL_TESTS();
}
