// A stand-in for the desktop window manager's DwmGetWindowAttribute, for
// the end-to-end tests only, put in the test prefix's system folder as
// dwmapi.dll in place of Wine's, which answers nothing.
//
// It answers DWMWA_EXTENDED_FRAME_BOUNDS as Windows 10 and 11 do: a window
// with a sizing border is drawn without its invisible resize borders, 7
// pixels left, right and bottom at 96 dpi, as many more as the window's
// density scales them to. Every other attribute is refused.

#define _WIN32_WINNT 0x0A00  // GetDpiForWindow
#include <windows.h>

namespace {

constexpr DWORD extendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
constexpr int invisibleBorderAt96Dpi = 7;

UINT densityOf(HWND window) {
  const UINT dpi = GetDpiForWindow(window);
  return dpi ? dpi : 96;
}

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI DwmGetWindowAttribute(HWND window, DWORD attribute, void* value,
                                                                       DWORD size) {
  if (!IsWindow(window)) return E_HANDLE;
  if (attribute != extendedFrameBounds || !value || size != sizeof(RECT)) return E_INVALIDARG;
  RECT bounds{};
  if (!GetWindowRect(window, &bounds)) return E_FAIL;
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if ((style & WS_THICKFRAME) && !IsZoomed(window) && !IsIconic(window)) {
    const int border = MulDiv(invisibleBorderAt96Dpi, static_cast<int>(densityOf(window)), 96);
    bounds.left += border;
    bounds.right -= border;
    bounds.bottom -= border;
  }
  *static_cast<RECT*>(value) = bounds;
  return S_OK;
}
