// The floor for start-up that the design itself sets: a window with
// KESTRANE's manifest and its ten controls at their designed places (five
// labels, three multi-line read-only edits, an owner-drawn button painted
// in one colour and a three-panel status bar), in the same fonts, coloured
// through WM_CTLCOLOR*, with the three lines drawn on the window. Nothing
// else: no model, no timers, no accessibility, no pictures.
#include <windows.h>
#include <commctrl.h>

#include "element_names.h"
#include "layout.h"

namespace {

namespace layout = kestrane::layout;
namespace names = kestrane::names;

constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF red = RGB(255, 0, 0);

UINT dpi = 96;
HBRUSH blackBrush = nullptr;
HWND countdownBox = nullptr;

int pixels(int twips) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

bool is(const char* name, const char* other) { return lstrcmpA(name, other) == 0; }

bool isEdit(const char* name) {
  return is(name, names::countdownBox) || is(name, names::leftMark) || is(name, names::rightMark);
}

const wchar_t* initialText(const char* name) {
  if (is(name, names::title)) return L"KESTRANE";
  if (is(name, names::version)) return L"Version 1.0";
  if (is(name, names::creator)) return L"Created By Orwyn402";
  if (is(name, names::freeware)) return L"!!! FREEWARE !!!";
  if (is(name, names::countdownMessage)) return L"COUNTDOWN STARTED";
  if (is(name, names::countdownBox)) return L"--\r\n";
  return L"!";
}

HFONT boldFont(int points) {
  return CreateFontW(-MulDiv(points, static_cast<int>(dpi), 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                     L"MS Sans Serif");
}

void createControls(HWND window, HINSTANCE instance) {
  int id = 1000;
  for (const layout::Box& box : layout::boxes) {
    const int x = pixels(box.left), y = pixels(box.top), width = pixels(box.width), height = pixels(box.height);
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++));
    HWND control = nullptr;
    if (is(box.name, names::statusBar)) {
      control = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, menu, instance,
                                nullptr);
      wchar_t date[80] = {}, time[80] = {};
      GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 80, nullptr);
      GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, time, 80);
      int rightEdges[3] = {pixels(layout::clientWidth) - 2 * pixels(layout::minimumPanelWidth),
                           pixels(layout::clientWidth) - pixels(layout::minimumPanelWidth), -1};
      SendMessageW(control, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rightEdges));
      SendMessageW(control, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Status"));
      SendMessageW(control, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(date));
      SendMessageW(control, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(time));
      continue;
    }
    if (is(box.name, names::abortButton)) {
      CreateWindowExW(0, L"BUTTON", L"Pause countdown", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, x, y,
                      width, height, window, menu, instance, nullptr);
      continue;
    }
    if (isEdit(box.name)) {
      control = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", initialText(box.name),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_CENTER | ES_READONLY, x, y,
                                width, height, window, menu, instance, nullptr);
      if (is(box.name, names::countdownBox)) countdownBox = control;
    } else {
      control = CreateWindowExW(0, L"STATIC", initialText(box.name), WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOTIFY,
                                x, y, width, height, window, menu, instance, nullptr);
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont(box.fontPoints)), FALSE);
  }
}

void paintLines(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ previous = SelectObject(dc, pen);
  for (const layout::Line& line : layout::lines) {
    MoveToEx(dc, pixels(line.x1), pixels(line.y1), nullptr);
    LineTo(dc, pixels(line.x2) + 1, pixels(line.y2));
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
  EndPaint(window, &paint);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      createControls(window, reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, reinterpret_cast<HWND>(lParam) == countdownBox ? red : green);
      SetBkColor(dc, black);
      return reinterpret_cast<LRESULT>(blackBrush);
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      HBRUSH ground = CreateSolidBrush(green);
      FillRect(item.hDC, &item.rcItem, ground);
      DeleteObject(ground);
      return TRUE;
    }
    case WM_PAINT:
      paintLines(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  HDC screen = GetDC(nullptr);
  dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  blackBrush = CreateSolidBrush(black);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"DesignedControls";
  RegisterClassW(&windowClass);
  RECT outer{0, 0, pixels(layout::clientWidth), pixels(layout::clientHeight)};
  AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
  HWND window = CreateWindowW(L"DesignedControls", L"Designed controls", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                              instance, nullptr);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return 0;
}
