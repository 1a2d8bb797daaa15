#pragma once

#include <cstdint>
#include <string>

#include "win32.h"

#include <shellapi.h>

namespace kestrane {

// How the launch at zero reaches the shell: ShellExecuteExW with its
// request filled in. False when the shell did not take the launch; the
// reason is then in GetLastError on the calling thread.
using ShellLaunch = bool (*)(SHELLEXECUTEINFOW& request);

// The shell's own ShellExecuteExW. shell32 is loaded only for the launch at
// zero, the one thing that needs it; a start that never gets there does not
// pay for it.
bool launchThroughShell(SHELLEXECUTEINFOW& request);

// What the shell made of a launch.
struct LaunchOutcome {
  // What ShellExecuteA would have answered: above 32 when the shell took it.
  std::intptr_t shellResult;
  // 0 when the shell took it; otherwise the system's error code for why
  // not (ERROR_FILE_NOT_FOUND when the start folder has no such file).
  DWORD error;
};

// What the launch asks the shell for, the file by its bare name.
struct LaunchRequest {
  HWND owner;
  std::wstring operation, fileName, parameters, directory;
  int showCommand;
};

// Asks the shell to run the file of that name in the start folder, and
// nowhere else: not from the Windows folder, System32 or the PATH, where
// any program the user runs can put a file of that name. A start folder
// without such a file launches nothing. On a mapped network drive the
// shell is given the file's network path, which the elevated command
// processor can reach without the user's drive letters.
//
// The shell can take minutes (the elevation prompt waits for the user), so
// it is asked on a thread of its own while the window's thread goes on
// answering its messages.
LaunchOutcome launchFromStartFolder(ShellLaunch shell, const LaunchRequest& request);

}  // namespace kestrane
