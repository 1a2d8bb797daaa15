#pragma once

#include "desktop.h"
#include "win32.h"

namespace kestrane {

// How the launch at zero reaches the shell: ShellExecuteA's arguments, its
// texts already in the system's code page, and its result.
using ShellLaunch = std::intptr_t (*)(HWND owner, const char* operation, const char* file, const char* parameters,
                                      const char* directory, int showCommand);

// The shell's own ShellExecuteA. shell32 is loaded only for the launch at
// zero, the one thing that needs it; a start that never gets there does not
// pay for it.
std::intptr_t launchThroughShell(HWND owner, const char* operation, const char* file, const char* parameters,
                                 const char* directory, int showCommand);

// The desktop functions bound to user32 and, through `shell`, to shell32.
class WindowsDesktop : public Desktop {
 public:
  explicit WindowsDesktop(ShellLaunch shell = launchThroughShell) : shell_(shell) {}

  std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& operation, const std::string& file,
                              const std::string& parameters, const std::string& directory,
                              int showCommand) override;
  WindowHandle GetForegroundWindow() override;
  bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                    unsigned flags) override;
  bool belongsToThisProgram(WindowHandle window) override;

 private:
  ShellLaunch shell_;
};

}  // namespace kestrane
