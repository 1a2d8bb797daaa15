// Starts programs in turn from this one process and measures each start:
// the time until its first top-level window is visible, the time until it
// first waits for input (WaitForInputIdle, so painting and work queued after
// ShowWindow are counted), and its working set a fixed time after it began.
//   startup_timer ROUNDS SETTLE_SECONDS PROGRAM...
// One warm-up start of each program comes first and is reported as round 0.
// Rounds alternate the order (forwards, then backwards), so that neither
// program always runs straight after the other. Each start prints one JSON
// line; a start that fails or never shows a window prints "failed": true.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD giveUpMs = 30000;

struct Search {
  DWORD processId;
  bool visible;
};

BOOL CALLBACK findVisible(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) {
    search->visible = true;
    return FALSE;
  }
  return TRUE;
}

class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&begin_);
  }
  double elapsedMs() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - begin_.QuadPart) / static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER begin_{};
};

struct Start {
  bool failed = true;
  double visibleMs = 0;
  double idleMs = 0;
  unsigned long long workingSetKib = 0;
};

// Polls both conditions together, a millisecond apart, until both are met.
Start measure(const std::wstring& program, DWORD settleMs) {
  Start start;
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const Stopwatch clock;
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return start;
  }
  bool visible = false, idle = false;
  while ((!visible || !idle) && clock.elapsedMs() < giveUpMs) {
    if (!visible) {
      Search search{process.dwProcessId, false};
      EnumWindows(findVisible, reinterpret_cast<LPARAM>(&search));
      if (search.visible) {
        visible = true;
        start.visibleMs = clock.elapsedMs();
      }
    }
    if (!idle && WaitForInputIdle(process.hProcess, 0) == 0) {
      idle = true;
      start.idleMs = clock.elapsedMs();
    }
    if (!visible || !idle) Sleep(1);
  }
  if (visible && idle) {
    const double remainingMs = settleMs - clock.elapsedMs();
    if (remainingMs > 0) Sleep(static_cast<DWORD>(remainingMs));
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory))) {
      start.workingSetKib = memory.WorkingSetSize / 1024;
      start.failed = false;
    }
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return start;
}

std::string narrow(const std::wstring& text) {
  std::string result;
  for (wchar_t c : text) result += c < 128 ? static_cast<char>(c) : '?';
  return result;
}

void report(int round, const std::wstring& program, const Start& start) {
  if (start.failed) {
    std::printf("{\"round\": %d, \"program\": \"%s\", \"failed\": true}\n", round, narrow(program).c_str());
  } else {
    std::printf("{\"round\": %d, \"program\": \"%s\", \"visible_ms\": %.2f, \"idle_ms\": %.2f, "
                "\"working_set_kib\": %llu}\n",
                round, narrow(program).c_str(), start.visibleMs, start.idleMs, start.workingSetKib);
  }
  std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: startup_timer ROUNDS SETTLE_SECONDS PROGRAM...\n");
    return 2;
  }
  const int rounds = _wtoi(argv[1]);
  const DWORD settleMs = static_cast<DWORD>(_wtoi(argv[2])) * 1000;
  const std::vector<std::wstring> programs(argv + 3, argv + argc);

  for (const std::wstring& program : programs) report(0, program, measure(program, 0));
  for (int round = 1; round <= rounds; ++round) {
    std::vector<std::wstring> order = programs;
    if (round % 2 == 0) order.assign(programs.rbegin(), programs.rend());
    for (const std::wstring& program : order) {
      report(round, program, measure(program, settleMs));
      Sleep(200);  // lets the previous program's exit settle before the next start
    }
  }
  return 0;
}
