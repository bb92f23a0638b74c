#include <QApplication>

#include "app/Form1.h"
#include "app/WindowDesign.h"
#include "platform/posix/ProcessHardening.h"
#include "platform/posix/RealFileSystem.h"
#include "platform/posix/SystemRandom.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtStyle.h"

int main(int argc, char** argv) {
  quorvel::forbidCoreDumps();  // before anything secret is in memory
  QApplication app(argc, argv);
  QApplication::setStyle(quorvel::makeProgramStyle());
  // The program ends only through endProgram, which sets the exit status itself.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(quorvel::programIcon());
  // Lets a Wayland or X11 desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.quorvel.Quorvel"));
  quorvel::QtPlatform ui(quorvel::windowDesign());
  quorvel::RealFileSystem files;
  quorvel::SystemRandom random;
  quorvel::Form1 form(ui, files, random, quorvel::programDirectory());
  ui.setEvents(&form);
  return ui.run();
}
