#include "placement_win.h"

#include <vector>

#include "system_libraries_win.h"
#include "placement.h"

namespace kestrane {

namespace {

ScreenRect toScreenRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{sizeof(info)};
  if (GetMonitorInfoW(monitor, &info)) {
    reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(toScreenRect(info.rcWork));
  }
  return TRUE;
}

std::vector<ScreenRect> workAreas() {
  std::vector<ScreenRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, addWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

// The frame as drawn, without the invisible resize borders that newer
// systems put around it; the whole window rectangle where the desktop
// window manager cannot tell.
RECT visibleFrame(HWND window, const RECT& frame) {
  using GetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
  constexpr DWORD extendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
  static const auto getWindowAttribute =
      functionOf<GetWindowAttributeFn>(loadSystemLibrary(L"dwmapi.dll"), "DwmGetWindowAttribute");
  RECT visible{};
  if (getWindowAttribute && SUCCEEDED(getWindowAttribute(window, extendedFrameBounds, &visible, sizeof visible)) &&
      visible.right > visible.left && visible.bottom > visible.top) {
    return visible;
  }
  return frame;
}

}  // namespace

void keepUsableOnAMonitor(HWND window) {
  if (!window || IsIconic(window) || IsZoomed(window)) return;
  RECT frame{};
  if (!GetWindowRect(window, &frame)) return;
  const std::vector<ScreenRect> areas = workAreas();
  // The usual case: asking which part of the frame is drawn would only cost
  // start-up time.
  if (liesWhollyInAWorkArea(toScreenRect(frame), areas)) return;
  POINT clientOrigin{0, 0};
  ClientToScreen(window, &clientOrigin);

  WindowOnScreen onScreen;
  onScreen.frame = toScreenRect(frame);
  onScreen.visible = toScreenRect(visibleFrame(window, frame));
  onScreen.captionBottom = clientOrigin.y;
  if (auto moveTo = placeToKeepUsable(onScreen, areas)) {
    SetWindowPos(window, nullptr, moveTo->x, moveTo->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

RECT usableFrameBeforeShowing(HWND window, const RECT& frame) {
  RECT now{};
  POINT clientOrigin{0, 0};
  if (!GetWindowRect(window, &now) || !ClientToScreen(window, &clientOrigin)) return frame;

  WindowOnScreen onScreen;
  onScreen.frame = toScreenRect(frame);
  onScreen.visible = onScreen.frame;
  onScreen.captionBottom = frame.top + (clientOrigin.y - now.top);
  RECT usable = frame;
  if (auto moveTo = placeToKeepUsable(onScreen, workAreas())) {
    OffsetRect(&usable, moveTo->x - frame.left, moveTo->y - frame.top);
  }
  return usable;
}

}  // namespace kestrane
