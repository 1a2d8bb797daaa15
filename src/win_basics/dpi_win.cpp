#include "dpi_win.h"

#include "system_libraries_win.h"

namespace kestrane {

UINT dpiOf(HWND window) {
  // Newer systems know each window's density; older ones one for the screen.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (window && getDpiForWindow) {
    if (UINT dpi = getDpiForWindow(window)) return dpi;
  }
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT systemDpi() {
  using GetDpiForSystemFn = UINT(WINAPI*)();
  static const auto getDpiForSystem = user32Function<GetDpiForSystemFn>("GetDpiForSystem");
  if (getDpiForSystem) {
    if (UINT dpi = getDpiForSystem()) return dpi;
  }
  return dpiOf(nullptr);
}

int metricAt(int index, UINT dpi) {
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto getSystemMetricsForDpi = user32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  return getSystemMetricsForDpi ? getSystemMetricsForDpi(index, dpi) : GetSystemMetrics(index);
}

void adjustFrameAt(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
  using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustWindowRectExForDpi =
      user32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (adjustWindowRectExForDpi && adjustWindowRectExForDpi(&rect, style, FALSE, exStyle, dpi)) return;
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

}  // namespace kestrane
