#include "desktop_win.h"

#include "../window/system_libraries_win.h"
#include "../window/text_win.h"
#include "com_on_demand_win.h"

#include <shellapi.h>

namespace kestrane {

namespace {

HWND toHwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

using ShellExecuteAFunction = decltype(&::ShellExecuteA);

// shell32 is loaded only for the launch at zero, the one thing that needs it;
// a start that never gets there does not pay for it.
ShellExecuteAFunction shellExecuteA() {
  return functionOf<ShellExecuteAFunction>(loadSystemLibrary(L"shell32.dll"), "ShellExecuteA");
}

}  // namespace

std::intptr_t WindowsDesktop::ShellExecuteA(WindowHandle owner, const std::string& operation,
                                            const std::string& file, const std::string& parameters,
                                            const std::string& directory, int showCommand) {
  // The texts go over in the system's code page; empty ones as empty strings.
  const std::string ansiOperation = toAnsi(operation);
  const std::string ansiFile = toAnsi(file);
  const std::string ansiParameters = toAnsi(parameters);
  const std::string ansiDirectory = toAnsi(directory);
  // The shell may hand the launch to extensions that need COM on this thread.
  com::start();
  const ShellExecuteAFunction launch = shellExecuteA();
  if (!launch) return SE_ERR_DLLNOTFOUND;
  HINSTANCE result = launch(toHwnd(owner), ansiOperation.c_str(), ansiFile.c_str(), ansiParameters.c_str(),
                            ansiDirectory.c_str(), showCommand);
  return reinterpret_cast<std::intptr_t>(result);
}

WindowHandle WindowsDesktop::GetForegroundWindow() {
  return reinterpret_cast<WindowHandle>(::GetForegroundWindow());
}

bool WindowsDesktop::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                                  unsigned flags) {
  return ::SetWindowPos(toHwnd(window), toHwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
}

bool WindowsDesktop::belongsToThisProgram(WindowHandle window) {
  DWORD process = 0;
  if (!window || !GetWindowThreadProcessId(toHwnd(window), &process)) return false;
  return process == GetCurrentProcessId();
}

}  // namespace kestrane
