#pragma once

#include "desktop.h"

namespace kestrane {

// The desktop functions bound to user32 and shell32.
class WindowsDesktop : public Desktop {
 public:
  std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& operation, const std::string& file,
                              const std::string& parameters, const std::string& directory,
                              int showCommand) override;
  WindowHandle GetForegroundWindow() override;
  bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                    unsigned flags) override;
  bool belongsToThisProgram(WindowHandle window) override;
};

}  // namespace kestrane
