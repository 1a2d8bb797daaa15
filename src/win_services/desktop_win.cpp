#include "desktop_win.h"

#include <shellapi.h>

#include "com_on_demand_win.h"
#include "system_libraries_win.h"
#include "text_win.h"

namespace kestrane {

namespace {

HWND toHwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

// One launch: how it reaches the shell, its texts, already in the system's
// code page, and its result.
struct Launch {
  ShellLaunch shell;
  HWND owner;
  std::string operation, file, parameters, directory;
  int showCommand;
  std::intptr_t result = SE_ERR_DLLNOTFOUND;
};

void launch(Launch& request) {
  request.result = request.shell(request.owner, request.operation.c_str(), request.file.c_str(),
                                 request.parameters.c_str(), request.directory.c_str(), request.showCommand);
}

// The launch's own thread. The shell may hand the launch to extensions
// that need COM, so the thread has its own single-threaded apartment.
DWORD WINAPI launchOnItsOwnThread(void* request) {
  const ComApartment apartment;
  launch(*static_cast<Launch*>(request));
  return 0;
}

// The window's thread goes on answering its messages until the thread has
// ended. What the messages bring runs under the window's rule of one
// handler at a time: timer beats are dropped, a close waits. A request to
// end the message loop is passed on to it.
void answerMessagesUntilItEnds(HANDLE thread) {
  bool quit = false;
  WPARAM quitCode = 0;
  while (MsgWaitForMultipleObjectsEx(1, &thread, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        quitCode = message.wParam;
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
}

}  // namespace

std::intptr_t launchThroughShell(HWND owner, const char* operation, const char* file, const char* parameters,
                                 const char* directory, int showCommand) {
  using ShellExecuteAFunction = decltype(&::ShellExecuteA);
  const auto shellExecute =
      functionOf<ShellExecuteAFunction>(loadSystemLibrary(L"shell32.dll"), "ShellExecuteA");
  if (!shellExecute) return SE_ERR_DLLNOTFOUND;
  return reinterpret_cast<std::intptr_t>(shellExecute(owner, operation, file, parameters, directory, showCommand));
}

// The shell can take minutes: the elevation prompt waits for the user, and
// a downloaded batch file first brings the shell's security warning. The
// call is made on a thread of its own, so that the window never stops
// answering and is never taken for a hung one.
std::intptr_t WindowsDesktop::ShellExecuteA(WindowHandle owner, const std::string& operation,
                                            const std::string& file, const std::string& parameters,
                                            const std::string& directory, int showCommand) {
  // The texts go over in the system's code page; empty ones as empty strings.
  Launch request{shell_, toHwnd(owner), toAnsi(operation), toAnsi(file), toAnsi(parameters), toAnsi(directory),
                 showCommand};
  HANDLE thread = CreateThread(nullptr, 0, launchOnItsOwnThread, &request, 0, nullptr);
  if (!thread) {
    launchOnItsOwnThread(&request);  // no thread to be had: the launch waits here
    return request.result;
  }
  answerMessagesUntilItEnds(thread);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return request.result;
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
