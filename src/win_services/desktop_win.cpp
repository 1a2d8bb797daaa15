#include "desktop_win.h"

#include "exit_code.h"
#include "text_win.h"

namespace kestrane {

namespace {

HWND toHwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

}  // namespace

std::intptr_t WindowsDesktop::ShellExecuteA(WindowHandle owner, const std::string& operation,
                                            const std::string& file, const std::string& parameters,
                                            const std::string& directory, int showCommand) {
  const LaunchOutcome outcome = launchFromStartFolder(
      shell_, {toHwnd(owner), toWide(operation), toWide(file), toWide(parameters), toWide(directory), showCommand});
  launchExitCode_ = outcome.error == 0 ? 0 : exitCodeForUntakenLaunch(outcome.error);
  return outcome.shellResult;
}

WindowHandle WindowsDesktop::GetForegroundWindow() {
  return reinterpret_cast<WindowHandle>(::GetForegroundWindow());
}

// A hung or busy program in front must never stop the window that lets the
// user stop the countdown: a move of another thread's window is posted to
// that thread instead of waited for. The keeper's own window, on this
// thread, moves at once all the same.
bool WindowsDesktop::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                                  unsigned flags) {
  HWND hwnd = toHwnd(window);
  if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) flags |= SWP_ASYNCWINDOWPOS;
  return ::SetWindowPos(hwnd, toHwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
}

bool WindowsDesktop::belongsToThisProgram(WindowHandle window) {
  DWORD process = 0;
  if (!window || !GetWindowThreadProcessId(toHwnd(window), &process)) return false;
  return process == GetCurrentProcessId();
}

std::string WindowsDesktop::classNameOf(WindowHandle window) {
  wchar_t name[256];
  const int length = window ? GetClassNameW(toHwnd(window), name, 256) : 0;
  return length > 0 ? toUtf8(std::wstring(name, static_cast<std::size_t>(length))) : std::string();
}

}  // namespace kestrane
