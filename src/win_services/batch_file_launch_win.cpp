#include "batch_file_launch_win.h"

#include <winnetwk.h>

#include "com_on_demand_win.h"
#include "system_libraries_win.h"

namespace kestrane {

namespace {

// The file of that name in the current folder, which nothing in the
// program changes: the folder it was started in.
std::wstring inStartFolder(const std::wstring& fileName) {
  std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
  folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  if (folder.empty()) return {};
  if (folder.back() != L'\\') folder += L'\\';
  return folder + fileName;
}

bool isFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A path on a mapped network drive as its network (UNC) path: the elevated
// command processor runs under the administrator's token, which does not
// see the user's drive letters. Any other path, or one whose network path
// cannot be had, stays as it is. mpr is loaded from the system folder, and
// only for a path on a network drive.
std::wstring networkPathOf(const std::wstring& path) {
  if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') return path;
  const wchar_t root[] = {path[0], L':', L'\\', L'\0'};
  if (GetDriveTypeW(root) != DRIVE_REMOTE) return path;
  using GetUniversalName = decltype(&::WNetGetUniversalNameW);
  const auto getUniversalName =
      functionOf<GetUniversalName>(loadSystemLibrary(L"mpr.dll"), "WNetGetUniversalNameW");
  if (!getUniversalName) return path;
  // A network path too long for the room here keeps the drive path.
  union {
    UNIVERSAL_NAME_INFOW info;
    wchar_t room[2048];
  } answer{};
  DWORD size = sizeof answer;
  if (getUniversalName(path.c_str(), UNIVERSAL_NAME_INFO_LEVEL, &answer, &size) == NO_ERROR &&
      answer.info.lpUniversalName && *answer.info.lpUniversalName) {
    return answer.info.lpUniversalName;
  }
  return path;
}

// One launch, made on its own thread: what is asked and what came of it.
struct Launch {
  ShellLaunch shell = nullptr;
  const LaunchRequest& request;
  LaunchOutcome outcome{SE_ERR_DLLNOTFOUND, ERROR_DLL_NOT_FOUND};
};

void launch(Launch& launch) {
  const std::wstring file = inStartFolder(launch.request.fileName);
  if (file.empty() || !isFile(file)) {
    launch.outcome = {SE_ERR_FNF, ERROR_FILE_NOT_FOUND};
    return;
  }
  const std::wstring reachable = networkPathOf(file);
  // The texts go over as they are, empty ones as empty strings. Nothing
  // hides the shell's own messages, and the shell finishes its work before
  // it returns: the program ends straight after.
  SHELLEXECUTEINFOW info{sizeof(info)};
  info.fMask = SEE_MASK_NOASYNC;
  info.hwnd = launch.request.owner;
  info.lpVerb = launch.request.operation.c_str();
  info.lpFile = reachable.c_str();
  info.lpParameters = launch.request.parameters.c_str();
  info.lpDirectory = launch.request.directory.c_str();
  info.nShow = launch.request.showCommand;
  const bool taken = launch.shell(info);
  // Read at once, on the thread that made the call.
  const DWORD error = taken ? 0 : GetLastError();
  launch.outcome = {reinterpret_cast<std::intptr_t>(info.hInstApp), error};
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

bool launchThroughShell(SHELLEXECUTEINFOW& request) {
  using ShellExecuteExFunction = decltype(&::ShellExecuteExW);
  const auto shellExecute =
      functionOf<ShellExecuteExFunction>(loadSystemLibrary(L"shell32.dll"), "ShellExecuteExW");
  if (!shellExecute) {
    SetLastError(ERROR_DLL_NOT_FOUND);
    return false;
  }
  return shellExecute(&request) != FALSE;
}

LaunchOutcome launchFromStartFolder(ShellLaunch shell, const LaunchRequest& request) {
  Launch launch{shell, request};
  HANDLE thread = CreateThread(nullptr, 0, launchOnItsOwnThread, &launch, 0, nullptr);
  if (!thread) {
    launchOnItsOwnThread(&launch);  // no thread to be had: the launch waits here
    return launch.outcome;
  }
  answerMessagesUntilItEnds(thread);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return launch.outcome;
}

}  // namespace kestrane
