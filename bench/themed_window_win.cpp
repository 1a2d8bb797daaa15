// The fair yardstick for start-up: a bare window that pays what any program
// with themed common controls and a painted background pays. It carries the
// same manifest as KESTRANE (common controls 6, per-monitor DPI awareness),
// initialises the common controls, and paints its client area itself.
#include <windows.h>
#include <commctrl.h>

static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      HBRUSH ground = CreateSolidBrush(RGB(0, 255, 0));
      FillRect(dc, &paint.rcPaint, ground);
      DeleteObject(ground);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"ThemedWindow";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"ThemedWindow", L"Themed", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 747,
                              398, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
