// Starts a program and measures, from inside the same Windows session, how
// long it takes until its first top-level window is visible, and its working
// set some seconds later. Prints one JSON line, then ends the program.
//   startup_timer PROGRAM [SECONDS-BEFORE-WORKING-SET]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Search {
  DWORD processId;
  bool shown;
};

BOOL CALLBACK findShown(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) {
    search->shown = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const int settleSeconds = argc > 2 ? _wtoi(argv[2]) : 0;
  std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  LARGE_INTEGER frequency, begin, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return 1;
  }
  Search search{process.dwProcessId, false};
  while (!search.shown) {
    EnumWindows(findShown, reinterpret_cast<LPARAM>(&search));
    if (!search.shown) Sleep(1);
  }
  QueryPerformanceCounter(&now);
  const double shownMs = 1000.0 * static_cast<double>(now.QuadPart - begin.QuadPart) /
                         static_cast<double>(frequency.QuadPart);
  Sleep(static_cast<DWORD>(settleSeconds) * 1000);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory));
  std::printf("{\"shown_ms\": %.1f, \"working_set_kib\": %llu}\n", shownMs,
              static_cast<unsigned long long>(memory.WorkingSetSize / 1024));
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
