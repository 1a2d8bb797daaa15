// Looks at the running program from outside, as another process on the
// same desktop would, and prints what it sees as JSON:
//   probe state [timeout-ms]   the main window and every control in it
//   probe close | minimize | maximize | restore | kill
//   probe endsession [end]     tells the main window that the user logs off;
//                              with end, then ends its process at once, as
//                              Windows may once the message is answered, and
//                              prints whether it was still running to be ended
//   probe move X Y             moves the main window's frame to (X, Y)
//   probe dpichange DPI        tells the main window that its monitor now
//                              has DPI dots per inch, as the system does when
//                              it is dragged onto such a monitor
//   probe other [topmost]      opens a window of its own, brings it to the
//                              foreground and keeps it until killed
//   probe foreground           the foreground window's handle
//   probe topmost HWND         whether that window is always on top
//   probe above HWND           whether the main window is above that one
//                              in the z-order
//   probe dismiss HWND         asks that window to close
//   probe statusbar            the status bar's panel edges and texts, with
//                              today's short date and time for comparison
//   probe errorbox [timeout-ms] the message box titled "KESTRANE" of the
//                              program's process once it shows: its handle,
//                              text and whether the main window owns it
//   probe watch [timeout-ms]   waits for the window, then prints a line each
//                              time the countdown box, the message or the
//                              abort button changes, until the window is gone,
//                              and {"busy": true} when they stop answering
//   probe accessible           every control as an accessibility client
//                              reads it: role, name, value and state
//   probe events [timeout-ms]  as a screen reader listens: prints a line for
//                              each live-region, name or value change and
//                              for the window showing, with the name the
//                              changed object has at that moment
//   probe inject | highcontrast | syscolors   see probe_high_contrast_win.h
// A text that cannot be read (the program is busy past the time-out) is
// printed as null, never as an empty text.

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>

#include "control_ids.h"
#include "element_table.h"
#include "probe_high_contrast_win.h"

namespace {

std::string json(const std::wstring& text) {
  std::string out = "\"";
  for (wchar_t c : text) {
    if (c == L'"' || c == L'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c > 0x7e) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string rect(const RECT& r) {
  char text[96];
  std::snprintf(text, sizeof text, "[%ld, %ld, %ld, %ld]", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return text;
}

// The window's text, or nothing when it did not answer in time.
std::optional<std::wstring> textOf(HWND window, UINT timeoutMs = 2000) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  if (!window || !SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                      timeoutMs, &copied)) {
    return std::nullopt;
  }
  return std::wstring(text, copied < 512 ? copied : 511);
}

std::string jsonOrNull(const std::optional<std::wstring>& text) { return text ? json(*text) : "null"; }

// The main window; once shown, unless any will do (it is created hidden and
// shown after it has been placed).
HWND findMain(DWORD timeoutMs, bool shown = true) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND found = FindWindowW(L"KESTRANE_Main", nullptr);
    if (found && (!shown || IsWindowVisible(found))) return found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(50);
  }
}

unsigned long long handle(HWND window) { return reinterpret_cast<unsigned long long>(window); }

int printState(DWORD timeoutMs) {
  HWND main = findMain(timeoutMs);
  if (!main) {
    std::printf("{\"window\": null}\n");
    return 0;
  }
  GUITHREADINFO gui{sizeof(gui)};
  GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &gui);
  RECT frame{}, client{};
  GetWindowRect(main, &frame);
  GetClientRect(main, &client);
  POINT origin{0, 0};
  ClientToScreen(main, &origin);
  std::printf("{\"window\": {\"hwnd\": %llu, \"title\": %s, \"rect\": %s, \"client\": [%ld, %ld, %ld, %ld], "
              "\"visible\": %s, \"topmost\": %s, \"minimized\": %s, \"maximized\": %s, \"foreground\": %s, "
              "\"dpi\": %u},\n \"controls\": [\n",
              handle(main), jsonOrNull(textOf(main)).c_str(), rect(frame).c_str(), origin.x, origin.y, client.right,
              client.bottom, IsWindowVisible(main) ? "true" : "false",
              (GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "true" : "false",
              IsIconic(main) ? "true" : "false", IsZoomed(main) ? "true" : "false",
              GetForegroundWindow() == main ? "true" : "false", GetDpiForWindow(main));
  bool first = true;
  for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child) - kestrane::firstControlId;
    const int count = static_cast<int>(sizeof kestrane::elementTable / sizeof kestrane::elementTable[0]);
    const char* name = id >= 0 && id < count ? kestrane::elementTable[id].name : "?";
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    RECT r{};
    GetWindowRect(child, &r);
    OffsetRect(&r, -origin.x, -origin.y);
    std::printf("%s  {\"name\": \"%s\", \"class\": %s, \"rect\": %s, \"enabled\": %s, \"focused\": %s, "
                "\"text\": %s}",
                first ? "" : ",\n", name, json(className).c_str(), rect(r).c_str(),
                IsWindowEnabled(child) ? "true" : "false", gui.hwndFocus == child ? "true" : "false",
                jsonOrNull(textOf(child)).c_str());
    first = false;
  }
  std::printf("\n]}\n");
  return 0;
}

HWND controlNamed(HWND main, const char* name) {
  int id = 0;
  for (const auto& element : kestrane::elementTable) {
    if (std::string(element.name) == name) return GetDlgItem(main, kestrane::firstControlId + id);
    ++id;
  }
  return nullptr;
}

// Each look gives the window answerMs to answer before it counts as busy.
int watch(DWORD timeoutMs, UINT answerMs) {
  std::printf("{\"ready\": true}\n");
  std::fflush(stdout);
  HWND main = findMain(timeoutMs, false);
  const DWORD start = GetTickCount();
  if (!main) return 1;
  std::string last;
  bool busy = false;
  while (IsWindow(main) && GetTickCount() - start < timeoutMs) {
    HWND button = controlNamed(main, "KESTRANE_ABORT_BUTTON");
    // A short wait, so that a busy spell shows while the window is still there.
    const auto box = textOf(controlNamed(main, "KESTRANE_COUNTDOWN_TEXTBOX"), answerMs);
    const auto message = textOf(controlNamed(main, "KESTRANE_COUNTDOWN_MESSAGE"), answerMs);
    // A text that did not come back is no change: the program is busy (as
    // while the shell launches the batch file), which is said once.
    const bool unreadable = !box || !message;
    if (unreadable && !busy && IsWindow(main) && IsWindowVisible(main)) {
      std::printf("{\"t\": %lu, \"busy\": true}\n", GetTickCount() - start);
      std::fflush(stdout);
    }
    busy = unreadable;
    // A window being destroyed is hidden first; its controls read empty then.
    if (!unreadable && IsWindow(main) && IsWindowVisible(main)) {
      std::string now = "\"box\": " + json(*box) + ", \"message\": " + json(*message) +
                        ", \"button\": " + (IsWindowEnabled(button) ? "true" : "false");
      if (now != last) {
        std::printf("{\"t\": %lu, %s}\n", GetTickCount() - start, now.c_str());
        std::fflush(stdout);
        last = now;
      }
    }
    Sleep(5);
  }
  std::printf("{\"t\": %lu, \"gone\": %s}\n", GetTickCount() - start, IsWindow(main) ? "false" : "true");
  return 0;
}

// The status bar answers into memory of its own process, so the probe lends
// it a buffer there and reads the answer back.
int printStatusBar() {
  HWND main = findMain(5000);
  HWND bar = main ? FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr) : nullptr;
  if (!bar) return 2;
  DWORD processId = 0;
  GetWindowThreadProcessId(bar, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return 1;
  const SIZE_T size = 4096;
  void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  int edges[8] = {};
  const int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(remote)));
  ReadProcessMemory(process, remote, edges, sizeof edges, nullptr);
  std::string texts;
  for (int part = 0; part < parts; ++part) {
    wchar_t text[256] = {};
    SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, text, sizeof text - sizeof(wchar_t), nullptr);
    texts += (part ? ", " : "") + json(text);
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  wchar_t today[256] = {}, now[256] = {};
  GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, today, 256, nullptr);
  GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, now, 256);
  RECT client{};
  GetClientRect(bar, &client);
  std::string list;
  for (int part = 0; part < parts; ++part) list += (part ? ", " : "") + std::to_string(edges[part]);
  std::printf("{\"width\": %ld, \"edges\": [%s], \"texts\": [%s], \"today\": %s, \"now\": %s}\n", client.right,
              list.c_str(), texts.c_str(), json(today).c_str(), json(now).c_str());
  return 0;
}

struct BoxSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK findBoxOf(HWND window, LPARAM searchPointer) {
  auto* search = reinterpret_cast<BoxSearch*>(searchPointer);
  wchar_t className[16] = {};
  DWORD process = 0;
  GetClassNameW(window, className, 16);
  GetWindowThreadProcessId(window, &process);
  if (process == search->process && std::wstring(className) == L"#32770" && IsWindowVisible(window) &&
      textOf(window) == L"KESTRANE") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The message box the program shows: a dialog of its process titled
// "KESTRANE". Its text is the static control with the id 0xFFFF.
int printErrorBox(DWORD timeoutMs) {
  HWND main = findMain(5000, false);
  if (!main) {
    std::printf("{\"box\": null, \"main\": null}\n");
    return 0;
  }
  BoxSearch search{0, nullptr};
  GetWindowThreadProcessId(main, &search.process);
  const DWORD start = GetTickCount();
  while (!search.found) {
    EnumWindows(findBoxOf, reinterpret_cast<LPARAM>(&search));
    if (search.found || GetTickCount() - start >= timeoutMs) break;
    Sleep(50);
  }
  if (!search.found) {
    std::printf("{\"box\": null}\n");
    return 0;
  }
  HWND text = GetDlgItem(search.found, 0xFFFF);
  std::printf("{\"box\": %llu, \"title\": %s, \"text\": %s, \"owned_by_main\": %s}\n", handle(search.found),
              jsonOrNull(textOf(search.found)).c_str(), text ? jsonOrNull(textOf(text)).c_str() : "null",
              GetWindow(search.found, GW_OWNER) == main ? "true" : "false");
  return 0;
}

int moveMain(HWND main, int x, int y) {
  return SetWindowPos(main, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
}

// The suggested rectangle travels in the window's own process: the probe
// lends it memory there, as for the status bar.
int changeDpi(HWND main, UINT dpi) {
  RECT suggested{};
  GetWindowRect(main, &suggested);
  const UINT was = GetDpiForWindow(main);
  suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, dpi, was ? was : 96);
  suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, dpi, was ? was : 96);
  DWORD processId = 0;
  GetWindowThreadProcessId(main, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return 1;
  void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
  const bool written = remote && WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr);
  DWORD_PTR answer = 0;
  const bool sent = written && SendMessageTimeoutW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                                   reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 30000,
                                                   &answer);
  // A message still waiting would read the rectangle later: it stays then.
  if (remote && sent) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  std::printf("{\"sent\": %s}\n", sent ? "true" : "false");
  return sent ? 0 : 1;
}

LRESULT CALLBACK otherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

int openOther(bool topmost) {
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
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

// ---------------------------------------------------------------------------
// An accessibility client, as a screen reader is one.

// The interface's id, spelled here: the static library's symbol cannot be
// linked into a static program.
const IID accessibleInterface = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

// A text the client reads, or null when the object has none to give.
std::string readBstr(HRESULT result, BSTR text) {
  if (result != S_OK || !text) {
    if (text) SysFreeString(text);
    return "null";
  }
  std::string out = json(std::wstring(text, SysStringLen(text)));
  SysFreeString(text);
  return out;
}

std::string elementName(HWND control) {
  const int id = GetDlgCtrlID(control) - kestrane::firstControlId;
  const int count = static_cast<int>(sizeof kestrane::elementTable / sizeof kestrane::elementTable[0]);
  return id >= 0 && id < count ? kestrane::elementTable[id].name : "?";
}

std::string describeAccessible(IAccessible* object, VARIANT child) {
  BSTR name = nullptr, value = nullptr;
  VARIANT role{}, state{};
  const HRESULT named = object->get_accName(child, &name);
  const std::string nameText = readBstr(named, name);
  const HRESULT valued = object->get_accValue(child, &value);
  const std::string valueText = readBstr(valued, value);
  const long roleNumber = SUCCEEDED(object->get_accRole(child, &role)) && role.vt == VT_I4 ? role.lVal : -1;
  const long stateBits = SUCCEEDED(object->get_accState(child, &state)) && state.vt == VT_I4 ? state.lVal : -1;
  VariantClear(&role);
  VariantClear(&state);
  char numbers[80];
  std::snprintf(numbers, sizeof numbers, "\"role\": %ld, \"state\": %ld", roleNumber, stateBits);
  return "\"accName\": " + nameText + ", \"accValue\": " + valueText + ", " + numbers;
}

int printAccessible() {
  HWND main = findMain(5000);
  if (!main) return 2;
  std::printf("{\"controls\": [\n");
  bool first = true;
  for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    IAccessible* object = nullptr;
    std::string described = "\"accName\": null, \"accValue\": null, \"role\": -1, \"state\": -1";
    if (SUCCEEDED(AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT), accessibleInterface,
                                             reinterpret_cast<void**>(&object))) && object) {
      VARIANT self{};
      self.vt = VT_I4;
      self.lVal = CHILDID_SELF;
      described = describeAccessible(object, self);
      object->Release();
    }
    std::printf("%s  {\"name\": \"%s\", \"class\": %s, \"visible\": %s, %s}", first ? "" : ",\n",
                elementName(child).c_str(), json(className).c_str(), IsWindowVisible(child) ? "true" : "false",
                described.c_str());
    first = false;
  }
  std::printf("\n]}\n");
  return 0;
}

DWORD eventsStart = 0;
HWND eventsMain = nullptr;

bool inKestraneWindow(HWND window) {
  HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  wchar_t className[64] = {};
  return root && GetClassNameW(root, className, 64) && std::wstring(className) == L"KESTRANE_Main";
}

void CALLBACK onWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId, DWORD, DWORD) {
  const char* kind = event == EVENT_OBJECT_LIVEREGIONCHANGED ? "live"
                     : event == EVENT_OBJECT_NAMECHANGE       ? "name"
                     : event == EVENT_OBJECT_VALUECHANGE      ? "value"
                     : event == EVENT_OBJECT_SHOW             ? "show"
                                                              : nullptr;
  if (!kind || !inKestraneWindow(window)) return;
  const bool isMain = GetAncestor(window, GA_ROOT) == window;
  if (event == EVENT_OBJECT_SHOW && (!isMain || objectId != OBJID_WINDOW)) return;
  std::string described = "\"accName\": null";
  IAccessible* object = nullptr;
  VARIANT child{};
  if (SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(objectId), static_cast<DWORD>(childId),
                                          &object, &child)) && object) {
    BSTR name = nullptr;
    const HRESULT named = object->get_accName(child, &name);
    described = "\"accName\": " + readBstr(named, name);
    object->Release();
    VariantClear(&child);
  }
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  std::printf("{\"t\": %lu, \"event\": \"%s\", \"element\": \"%s\", \"class\": %s, \"object\": %ld, %s}\n",
              GetTickCount() - eventsStart, kind, isMain ? "KESTRANE_Main" : elementName(window).c_str(),
              json(className).c_str(), objectId, described.c_str());
  std::fflush(stdout);
}

int printEvents(DWORD timeoutMs) {
  eventsStart = GetTickCount();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, onWinEvent, 0,
                                       0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  if (!hook) return 1;
  std::printf("{\"ready\": true}\n");
  std::fflush(stdout);
  SetTimer(nullptr, 0, 15, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) {
      if (!eventsMain) {  // the moment the window is on the screen, for timing what follows
        HWND shown = findMain(0);
        if (shown) {
          eventsMain = shown;
          std::printf("{\"t\": %lu, \"event\": \"shown\"}\n", GetTickCount() - eventsStart);
          std::fflush(stdout);
        }
      }
      const bool gone = eventsMain && !IsWindow(eventsMain);
      if (gone || GetTickCount() - eventsStart >= timeoutMs) break;
    }
    DispatchMessageW(&message);
  }
  UnhookWinEvent(hook);
  std::printf("{\"t\": %lu, \"gone\": %s}\n", GetTickCount() - eventsStart,
              eventsMain && !IsWindow(eventsMain) ? "true" : "false");
  return 0;
}

}  // namespace

// The open pop-up menu's rectangle on the screen, once one shows.
int printPopupMenu(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  HWND menu = nullptr;
  while (!(menu = FindWindowW(L"#32768", nullptr)) || !IsWindowVisible(menu)) {
    if (GetTickCount() - start >= timeoutMs) {
      std::printf("null\n");
      return 0;
    }
    Sleep(20);
  }
  RECT r{};
  GetWindowRect(menu, &r);
  std::printf("%s\n", rect(r).c_str());
  return 0;
}

// Whether the main window comes before window in the z-order, top first.
int printAbove(HWND window) {
  HWND main = findMain(0, false);
  if (!main) return 2;
  HWND next = main;
  while (next && next != window) next = GetWindow(next, GW_HWNDNEXT);
  std::printf("%s\n", next == window ? "true" : "false");
  return 0;
}

// Ends the process at once, as Windows may, and waits until it has ended;
// true when it was still running and this ended it.
bool endProcess(HANDLE process) {
  if (!TerminateProcess(process, 9) || WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  return GetExitCodeProcess(process, &code) && code == 9;
}

int endProcessOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process =
      OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return 1;
  endProcess(process);
  CloseHandle(process);
  return 0;
}

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"state";
  if (command == L"state") return printState(argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 0);
  if (command == L"other") return openOther(argc > 2 && std::wstring(argv[2]) == L"topmost");
  if (command == L"watch") {
    return watch(argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 60000,
                 argc > 3 ? static_cast<UINT>(_wtoi(argv[3])) : 400);
  }
  if (command == L"statusbar") return printStatusBar();
  if (command == L"errorbox") return printErrorBox(argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 0);
  if (command == L"accessible" || command == L"events") {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (command == L"accessible") return printAccessible();
    return printEvents(argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 60000);
  }
  if (command == L"popupmenu") return printPopupMenu(argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 5000);
  if (command == L"syscolors") return setSystemColours((argc - 2) / 2, argv + 2);
  if (command == L"foreground") {
    std::printf("%llu\n", handle(GetForegroundWindow()));
    return 0;
  }
  if ((command == L"topmost" || command == L"dismiss" || command == L"above") && argc > 2) {
    HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(_wcstoui64(argv[2], nullptr, 10)));
    if (!IsWindow(window)) return 2;
    if (command == L"dismiss") return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (command == L"above") return printAbove(window);
    std::printf("%s\n", (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "true" : "false");
    return 0;
  }
  HWND main = findMain(command == L"kill" ? 0 : 5000, false);
  if (!main) return 2;
  if (command == L"kill") return endProcessOf(main);
  if (command == L"close") return PostMessageW(main, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == L"keyboardmenu") {
    // A menu asked for from the keyboard: the coordinates -1 and -1, packed
    // into the parameter's low 32 bits as MAKELPARAM packs them.
    GUITHREADINFO gui{sizeof(gui)};
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &gui);
    HWND target = gui.hwndFocus ? gui.hwndFocus : main;
    return PostMessageW(target, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target), MAKELPARAM(-1, -1)) ? 0 : 1;
  }
  if (command == L"endsession") {  // the user logs off
    // Opened first: the window may be gone once the message is answered.
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    HANDLE process =
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    DWORD_PTR answer = 0;
    const bool answered = SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer);
    if (argc > 2 && std::wstring(argv[2]) == L"end") {
      std::printf("{\"ended\": %s}\n", answered && process && endProcess(process) ? "true" : "false");
    }
    if (process) CloseHandle(process);
    return answered ? 0 : 1;
  }
  if (command == L"inject" && argc > 2) return injectLibrary(main, argv[2]);
  if (command == L"highcontrast" && argc > 2) return switchHighContrast(main, std::wstring(argv[2]) == L"on");
  if (command == L"move" && argc > 3) return moveMain(main, _wtoi(argv[2]), _wtoi(argv[3]));
  if (command == L"dpichange" && argc > 2) return changeDpi(main, static_cast<UINT>(_wtoi(argv[2])));
  if (command == L"hide") return ShowWindow(main, SW_HIDE), 0;
  // Shown again the way that sends no WM_SHOWWINDOW.
  if (command == L"showbymove") {
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    return SetWindowPos(main, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW) ? 0 : 1;
  }
  // The countdown box's text, also while the window is hidden.
  if (command == L"box") {
    const auto text = textOf(controlNamed(main, "KESTRANE_COUNTDOWN_TEXTBOX"));
    std::printf("%s\n", jsonOrNull(text).c_str());
    return 0;
  }
  if (command == L"minimize") return ShowWindow(main, SW_MINIMIZE), 0;
  if (command == L"maximize") return ShowWindow(main, SW_MAXIMIZE), 0;
  if (command == L"restore") return ShowWindow(main, SW_RESTORE), 0;
  return 3;
}
