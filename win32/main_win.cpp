// batora.exe: the main window is the program; loading it starts it, closing it ends it.

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdlib>

#include "clock.h"
#include "platform.h"
#include "winmainwindow.h"
#include "wintoolkit.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  // One instance per program: the claim is named after the executable.
  const std::string exeName = batora::platform::programName();
  batora::WinToolkit toolkit("Batora-" + exeName);
  batora::SystemClock clock;
  batora::WinMainWindow window({toolkit, clock, batora::platform::programFolder(), exeName,
                                [] { std::_Exit(EXIT_FAILURE); }});
  if (!window.Form_Load()) return EXIT_SUCCESS;
  window.show();
  return toolkit.run();
}
