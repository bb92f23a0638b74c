// The program on Windows: the Win32 window, the Windows file system and random source, and
// Form1 between them.
#include "app/Form1.h"
#include "app/WindowDesign.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Random.h"

int main() {
  quorvel::Win32Platform ui(quorvel::windowDesign());
  quorvel::Win32FileSystem files;
  quorvel::Win32Random random;
  quorvel::Form1 form(ui, files, random, quorvel::programDirectory());
  ui.setEvents(&form);
  return ui.run();
}
