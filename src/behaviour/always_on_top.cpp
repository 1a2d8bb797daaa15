#include "always_on_top.h"

#include <string>

#include "kestrane_main.h"
#include "desktop.h"

namespace kestrane {

namespace {

// The taskbar, on the main monitor or another, stays in the always-on-top
// band, where the system keeps it: taken out, it could stay behind ordinary
// windows for the rest of the session. Raising this window is enough, as
// both are in the band.
bool isTaskbar(const std::string& className) {
  return className == "Shell_TrayWnd" || className == "Shell_SecondaryTrayWnd";
}

}  // namespace

void keepOnTop(KESTRANE_Main& main) {
  constexpr unsigned keepPlaceAndSize = Desktop::swpNoSize | Desktop::swpNoMove;
  Desktop& desktop = main.desktop();

  const WindowHandle self = main.hWnd();
  if (desktop.GetForegroundWindow() == self) return;

  // The foreground is asked again: the window demoted is the one in front
  // now, which need not be the one just compared. Neither result is looked
  // at; this window is raised even when the demotion fails.
  const WindowHandle front = desktop.GetForegroundWindow();
  // A window of this program in front (a message box over the window) keeps
  // its place: the countdown's window must not push it out of sight.
  if (desktop.belongsToThisProgram(front)) return;
  if (!isTaskbar(desktop.classNameOf(front))) {
    desktop.SetWindowPos(front, Desktop::hwndNotTopmost, 0, 0, 0, 0, keepPlaceAndSize);
  }
  const WindowHandle raised = main.hWnd();
  desktop.SetWindowPos(raised, Desktop::hwndTopmost, 0, 0, 0, 0, keepPlaceAndSize);
}

}  // namespace kestrane
