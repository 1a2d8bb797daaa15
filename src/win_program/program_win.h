#pragma once

#include "desktop_win.h"
#include "window_view.h"
#include "win32.h"

namespace kestrane {

// What a build of the program may put in place of the platform's own
// parts. The shipped program takes them as they are; the end-to-end tests'
// builds pass doubles of their own.
struct ProgramParts {
  // The view the model reaches the window through, given the window's own:
  // that view itself unless a double wraps it.
  WindowView& (*viewAround)(WindowView& window) = nullptr;
  // How the launch at zero reaches the shell.
  ShellLaunch shellLaunch = launchThroughShell;
};

// The program: the main window is its start-up object. It is created with
// its elements, runs Load, is shown, and the program ends, with the exit
// code returned, when it is gone.
int runProgram(HINSTANCE instance, int showCommand, const ProgramParts& parts);

}  // namespace kestrane
