// Looks at the running program from outside, as another process on the
// same desktop would, and prints what it sees as JSON. Its commands:
//
// Looks (probe_looks_win.cpp):
//   probe state [timeout-ms]   the main window and every control in it
//   probe watch [timeout-ms] [answer-ms]
//                              waits for the window, then prints a line each
//                              time the countdown box, the message or the
//                              abort button changes, until the window is gone,
//                              and {"busy": true} when they stop answering
//                              within answer-ms
//   probe box                  the countdown box's text, also while the
//                              window is hidden
//   probe statusbar            the status bar's panel edges and texts, with
//                              today's short date and time for comparison
//   probe errorbox [timeout-ms] the message box titled "KESTRANE" of the
//                              program's process once it shows: its handle,
//                              text and whether the main window owns it
//   probe popupmenu [timeout-ms] the open pop-up menu's rectangle once one shows
//   probe idle [timeout-ms]    whether the program has finished starting and
//                              waits for input (WaitForInputIdle)
//   probe foreground           the foreground window's handle
//   probe topmost HWND         whether that window is always on top
//   probe above HWND           whether the main window is above that one
//                              in the z-order
//   probe security NAME        the named file mapping's access entries and
//                              integrity label (kind, rights, SID), and the
//                              probe's own user
//   probe claim NAME           holds a file mapping of that name that only
//                              the system may open, until its input ends
// As an accessibility client (probe_accessible_win.h):
//   probe accessible           every control's role, name, value and state
//   probe events [timeout-ms]  the events a screen reader listens for
// Doing what the user or another program does to the main window:
//   probe close | minimize | maximize | restore | hide
//   probe showbymove           shows it again in the way that sends no
//                              WM_SHOWWINDOW
//   probe move X Y             moves its frame to (X, Y)
//   probe keyboardmenu         asks the control with the focus for its menu,
//                              as the keyboard's menu key does
//   probe dpichange DPI        tells it that its monitor now has DPI dots
//                              per inch, as the system does when it is
//                              dragged onto such a monitor
//   probe endsession [end]     tells it that the user logs off; with end,
//                              then ends its process at once, as Windows may
//                              once the message is answered, and prints
//                              whether it was still running to be ended
//   probe kill                 ends its process
//   probe dismiss HWND         asks that window to close
//   probe other [topmost] [hang MS]
//                              opens a window of its own, brings it to the
//                              foreground and keeps it until dismissed; with
//                              hang, it then answers nothing for MS ms
// For high contrast, which Wine cannot turn on (probe_high_contrast_win.h):
//   probe inject DLL | highcontrast on|off | syscolors [I C]...
// For a whole session's commands in one process:
//   probe serve                runs the commands of its input, one a line,
//                              words separated by tabs, and follows what
//                              each printed with a line of 0x1E and its
//                              exit code
//
// A text that cannot be read (the program is busy past the time-out) is
// printed as null, never as an empty text. The exit code is 2 when there is
// no main window (or no window HWND) to act on, 3 for an unknown command.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "probe_accessible_win.h"
#include "probe_high_contrast_win.h"
#include "probe_looks_win.h"
#include "probe_memory_win.h"
#include "probe_security_win.h"
#include "probe_text_win.h"

namespace {

// A command's words after its name, and the window it acts on.
struct Arguments {
  int count;
  wchar_t** words;
  HWND window;

  std::wstring text(int index) const { return index < count ? words[index] : L""; }
  DWORD number(int index, DWORD otherwise) const {
    return index < count ? static_cast<DWORD>(_wtoi(words[index])) : otherwise;
  }
};

// The suggested rectangle travels in the window's own process: the probe
// lends it memory there.
int changeDpi(HWND main, UINT dpi) {
  RECT suggested{};
  GetWindowRect(main, &suggested);
  const UINT was = GetDpiForWindow(main);
  suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, dpi, was ? was : 96);
  suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, dpi, was ? was : 96);
  BorrowedMemory rectangle(main, sizeof suggested);
  DWORD_PTR answer = 0;
  const bool sent = rectangle.write(&suggested, sizeof suggested) &&
                    SendMessageTimeoutW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), rectangle.address(),
                                        SMTO_ABORTIFHUNG, 30000, &answer);
  if (!sent) rectangle.keep();  // a message still waiting would read the rectangle later
  std::printf("{\"sent\": %s}\n", sent ? "true" : "false");
  return sent ? 0 : 1;
}

LRESULT CALLBACK otherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

int openOther(const Arguments& a) {
  bool topmost = false;
  DWORD hangMs = 0;
  for (int i = 0; i < a.count; ++i) {
    if (a.text(i) == L"topmost") topmost = true;
    if (a.text(i) == L"hang") hangMs = a.number(i + 1, 0);
  }
  WNDCLASSW info{};
  info.lpfnWndProc = otherProc;
  info.hInstance = GetModuleHandleW(nullptr);
  info.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  info.lpszClassName = L"ProbeOther";
  RegisterClassW(&info);
  HWND other = CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, L"ProbeOther", L"Other", WS_OVERLAPPEDWINDOW, 20, 20,
                               300, 200, nullptr, nullptr, info.hInstance, nullptr);
  ShowWindow(other, SW_SHOW);
  SetForegroundWindow(other);
  std::printf("%llu\n", handle(other));
  std::fflush(stdout);
  Sleep(hangMs);  // a long computation, a breakpoint, a deadlock
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

HANDLE openProcessOf(HWND window, DWORD access) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return OpenProcess(access, FALSE, processId);
}

// Ends the process at once, as Windows may, and waits until it has ended;
// true when it was still running and this ended it.
bool endProcess(HANDLE process) {
  if (!TerminateProcess(process, 9) || WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  return GetExitCodeProcess(process, &code) && code == 9;
}

const DWORD endingRights = PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION;

int kill(const Arguments& a) {
  HANDLE process = openProcessOf(a.window, endingRights);
  if (!process) return 1;
  endProcess(process);
  CloseHandle(process);
  return 0;
}

int endSession(const Arguments& a) {  // the user logs off
  // Opened first: the window may be gone once the message is answered.
  HANDLE process = openProcessOf(a.window, endingRights);
  DWORD_PTR answer = 0;
  const bool answered =
      SendMessageTimeoutW(a.window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer);
  if (a.text(0) == L"end") {
    std::printf("{\"ended\": %s}\n", answered && process && endProcess(process) ? "true" : "false");
  }
  if (process) CloseHandle(process);
  return answered ? 0 : 1;
}

int waitUntilIdle(const Arguments& a) {
  HANDLE process = openProcessOf(a.window, SYNCHRONIZE | PROCESS_QUERY_INFORMATION);
  const bool idle = process && WaitForInputIdle(process, a.number(0, 30000)) == 0;
  if (process) CloseHandle(process);
  std::printf("{\"idle\": %s}\n", idle ? "true" : "false");
  return idle ? 0 : 1;
}

int keyboardMenu(const Arguments& a) {
  // A menu asked for from the keyboard: the coordinates -1 and -1, packed
  // into the parameter's low 32 bits as MAKELPARAM packs them.
  GUITHREADINFO gui{sizeof(gui)};
  GetGUIThreadInfo(GetWindowThreadProcessId(a.window, nullptr), &gui);
  HWND target = gui.hwndFocus ? gui.hwndFocus : a.window;
  return PostMessageW(target, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target), MAKELPARAM(-1, -1)) ? 0 : 1;
}

int show(HWND window, int how) {
  ShowWindow(window, how);
  return 0;
}

int showByMove(const Arguments& a) {
  const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  return SetWindowPos(a.window, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW) ? 0 : 1;
}

int move(const Arguments& a) {
  const UINT keep = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  return SetWindowPos(a.window, nullptr, _wtoi(a.words[0]), _wtoi(a.words[1]), 0, 0, keep) ? 0 : 1;
}

int printBox(const Arguments& a) {
  std::printf("%s\n", jsonOrNull(textOf(controlNamed(a.window, "KESTRANE_COUNTDOWN_TEXTBOX"))).c_str());
  return 0;
}

int printTopmost(const Arguments& a) {
  std::printf("%s\n", (GetWindowLongW(a.window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "true" : "false");
  return 0;
}

int printForeground(const Arguments&) {
  std::printf("%llu\n", handle(GetForegroundWindow()));
  return 0;
}

// What a command acts on: nothing, the window named by its first word, or
// the main window (shown or not) once it is there, within five seconds.
enum class Target { none, windowArgument, main, mainAtOnce };

struct Command {
  const wchar_t* name;
  Target target;
  int words;  // how many it needs after its name
  int (*run)(const Arguments&);
};

const Command commands[] = {
    {L"state", Target::none, 0, [](const Arguments& a) { return printState(a.number(0, 0)); }},
    {L"watch", Target::none, 0, [](const Arguments& a) { return watch(a.number(0, 60000), a.number(1, 400)); }},
    {L"statusbar", Target::none, 0, [](const Arguments&) { return printStatusBar(); }},
    {L"errorbox", Target::none, 0, [](const Arguments& a) { return printErrorBox(a.number(0, 0)); }},
    {L"popupmenu", Target::none, 0, [](const Arguments& a) { return printPopupMenu(a.number(0, 5000)); }},
    {L"foreground", Target::none, 0, printForeground},
    {L"accessible", Target::none, 0, [](const Arguments&) { return printAccessible(); }},
    {L"events", Target::none, 0, [](const Arguments& a) { return printEvents(a.number(0, 60000)); }},
    {L"other", Target::none, 0, openOther},
    {L"syscolors", Target::none, 0, [](const Arguments& a) { return setSystemColours(a.count / 2, a.words); }},
    {L"security", Target::none, 1, [](const Arguments& a) { return printSecurity(a.words[0]); }},
    {L"claim", Target::none, 1, [](const Arguments& a) { return holdClaim(a.words[0]); }},
    {L"topmost", Target::windowArgument, 1, printTopmost},
    {L"above", Target::windowArgument, 1, [](const Arguments& a) { return printAbove(a.window); }},
    {L"dismiss", Target::windowArgument, 1, [](const Arguments& a) {
       return PostMessageW(a.window, WM_CLOSE, 0, 0) ? 0 : 1; }},
    {L"kill", Target::mainAtOnce, 0, kill},
    {L"idle", Target::main, 0, waitUntilIdle},
    {L"close", Target::main, 0, [](const Arguments& a) { return PostMessageW(a.window, WM_CLOSE, 0, 0) ? 0 : 1; }},
    {L"minimize", Target::main, 0, [](const Arguments& a) { return show(a.window, SW_MINIMIZE); }},
    {L"maximize", Target::main, 0, [](const Arguments& a) { return show(a.window, SW_MAXIMIZE); }},
    {L"restore", Target::main, 0, [](const Arguments& a) { return show(a.window, SW_RESTORE); }},
    {L"hide", Target::main, 0, [](const Arguments& a) { return show(a.window, SW_HIDE); }},
    {L"showbymove", Target::main, 0, showByMove},
    {L"move", Target::main, 2, move},
    {L"keyboardmenu", Target::main, 0, keyboardMenu},
    {L"dpichange", Target::main, 1, [](const Arguments& a) { return changeDpi(a.window, a.number(0, 0)); }},
    {L"endsession", Target::main, 0, endSession},
    {L"box", Target::main, 0, printBox},
    {L"inject", Target::main, 1, [](const Arguments& a) { return injectLibrary(a.window, a.words[0]); }},
    {L"highcontrast", Target::main, 1, [](const Arguments& a) {
       return switchHighContrast(a.window, a.text(0) == L"on"); }},
};

HWND targetOf(Target target, const Arguments& a) {
  switch (target) {
    case Target::windowArgument: {
      HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(_wcstoui64(a.words[0], nullptr, 10)));
      return IsWindow(window) ? window : nullptr;
    }
    case Target::main:
      return findMain(5000, false);
    case Target::mainAtOnce:
      return findMain(0, false);
    case Target::none:
      break;
  }
  return nullptr;
}

// Runs the command named, with the words after its name.
int runCommand(const std::wstring& name, int count, wchar_t** words) {
  for (const Command& command : commands) {
    Arguments arguments{count, words, nullptr};
    if (name != command.name || arguments.count < command.words) continue;
    if (command.target != Target::none) {
      arguments.window = targetOf(command.target, arguments);
      if (!arguments.window) return 2;
      if (command.target == Target::windowArgument) {
        ++arguments.words;
        --arguments.count;
      }
    }
    return command.run(arguments);
  }
  return 3;
}

// The words of one line of input (UTF-8, separated by tabs).
std::vector<std::wstring> wordsOf(const std::string& line) {
  std::vector<std::wstring> words;
  std::size_t start = 0;
  while (start <= line.size()) {
    std::size_t end = line.find('\t', start);
    if (end == std::string::npos) end = line.size();
    const std::string word = line.substr(start, end - start);
    std::wstring wide(word.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, word.data(), static_cast<int>(word.size()), wide.data(),
                                    static_cast<int>(wide.size())));
    words.push_back(wide);
    start = end + 1;
  }
  return words;
}

// Runs the commands its input brings, one a line, as long as the input
// lasts, and ends what each printed with a line of the record separator
// (0x1E) and its exit code: one process for a whole session's looks, where
// starting one for each would cost the machine more than the looks do.
int serve() {
  std::string line;
  for (int c = std::getchar(); c != EOF; c = std::getchar()) {
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::wstring> words = wordsOf(line);
    std::vector<wchar_t*> pointers;
    for (std::wstring& word : words) pointers.push_back(word.data());
    const int code = runCommand(words[0], static_cast<int>(pointers.size()) - 1, pointers.data() + 1);
    std::printf("\x1e%d\n", code);
    std::fflush(stdout);
    line.clear();
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring name = argc > 1 ? argv[1] : L"state";
  if (name == L"serve") return serve();
  return runCommand(name, argc > 2 ? argc - 2 : 0, argv + 2);
}
