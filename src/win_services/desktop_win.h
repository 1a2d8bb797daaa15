#pragma once

#include "batch_file_launch_win.h"
#include "desktop.h"
#include "win32.h"

namespace kestrane {

// The desktop functions bound to user32 and, through `shell`, to shell32.
class WindowsDesktop : public Desktop {
 public:
  explicit WindowsDesktop(ShellLaunch shell = launchThroughShell) : shell_(shell) {}

  // Runs the file of that name from the start folder only, by its full
  // path (batch_file_launch_win.h).
  std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& operation, const std::string& file,
                              const std::string& parameters, const std::string& directory,
                              int showCommand) override;
  WindowHandle GetForegroundWindow() override;
  // A window of another thread is moved without waiting for that thread to
  // answer (SWP_ASYNCWINDOWPOS).
  bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                    unsigned flags) override;
  bool belongsToThisProgram(WindowHandle window) override;
  std::string classNameOf(WindowHandle window) override;

  // How the launch went, as the program's exit code: 0 when none was asked
  // for or the shell took it, otherwise why the shell did not take it.
  int launchExitCode() const { return launchExitCode_; }

 private:
  ShellLaunch shell_;
  int launchExitCode_ = 0;
};

}  // namespace kestrane
