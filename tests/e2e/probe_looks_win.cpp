// The probe's looks at the running program: what it shows and how, each
// printed as JSON.

#include "probe_looks_win.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "probe_memory_win.h"
#include "probe_text_win.h"

namespace {

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

}  // namespace

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
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    RECT r{};
    GetWindowRect(child, &r);
    OffsetRect(&r, -origin.x, -origin.y);
    std::printf("%s  {\"name\": \"%s\", \"class\": %s, \"rect\": %s, \"enabled\": %s, \"focused\": %s, "
                "\"text\": %s}",
                first ? "" : ",\n", elementName(child).c_str(), json(className).c_str(), rect(r).c_str(),
                IsWindowEnabled(child) ? "true" : "false", gui.hwndFocus == child ? "true" : "false",
                jsonOrNull(textOf(child)).c_str());
    first = false;
  }
  std::printf("\n]}\n");
  return 0;
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
    // Until the window first shows, every few milliseconds: the start can
    // take longer than a second on a busy machine, and its first state may
    // then show only for a moment. After that every state that lasts a
    // twentieth of a second is seen; looking more often kept a third of a
    // core busy for each watch.
    Sleep(last.empty() ? 5 : 50);
  }
  std::printf("{\"t\": %lu, \"gone\": %s}\n", GetTickCount() - start, IsWindow(main) ? "false" : "true");
  return 0;
}

// The status bar answers into memory of its own process: the probe lends
// it a buffer there and reads the answer back.
int printStatusBar() {
  HWND main = findMain(5000);
  HWND bar = main ? FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr) : nullptr;
  if (!bar) return 2;
  BorrowedMemory answer(bar, 4096);
  if (!answer.lent()) return 1;
  int edges[8] = {};
  const int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 8, answer.address()));
  answer.read(edges, sizeof edges);
  std::string texts;
  for (int part = 0; part < parts; ++part) {
    wchar_t text[256] = {};
    SendMessageW(bar, SB_GETTEXTW, part, answer.address());
    answer.read(text, sizeof text - sizeof(wchar_t));
    texts += (part ? ", " : "") + json(text);
  }
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

