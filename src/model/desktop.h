#pragma once

#include <string>

#include "window_view.h"

namespace kestrane {

// The platform functions the handlers call by name, with the platform's
// constants. The program binds them to user32 and shell32; the tests record
// the calls.
class Desktop {
 public:
  // The platform's values (HWND_TOPMOST, HWND_NOTOPMOST, SWP_NOSIZE,
  // SWP_NOMOVE, SW_SHOWNORMAL), spelled so as not to clash with its macros.
  static constexpr WindowHandle hwndTopmost = -1;
  static constexpr WindowHandle hwndNotTopmost = -2;
  static constexpr unsigned swpNoSize = 1;
  static constexpr unsigned swpNoMove = 2;
  static constexpr int swShowNormal = 1;

  // The launch at zero. The handler names the file as the shell would be
  // given it, by its bare name; the platform runs only the file of that
  // name in the folder the program was started in.
  virtual std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& operation,
                                      const std::string& file, const std::string& parameters,
                                      const std::string& directory, int showCommand) = 0;
  virtual WindowHandle GetForegroundWindow() = 0;
  virtual bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y,
                            int cx, int cy, unsigned flags) = 0;
  // True for a window of this program's own process (a message box it shows,
  // the shell's prompt about the launch); false for 0 and any other window.
  virtual bool belongsToThisProgram(WindowHandle window) = 0;
  // The window's class name (GetClassNameW); empty for 0 and a window gone.
  virtual std::string classNameOf(WindowHandle window) = 0;

 protected:
  ~Desktop() = default;
};

}  // namespace kestrane
