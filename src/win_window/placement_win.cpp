#include "placement_win.h"

#include <vector>

#include "dpi_win.h"
#include "placement.h"
#include "runtime_error.h"
#include "screen_units.h"
#include "system_libraries_win.h"

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

void WindowFrame::holdBack(HWND window) {
  window_ = window;
  heldBack_ = Placement{rect()};
}

RECT WindowFrame::rect() const {
  if (heldBack_) return heldBack_->frame;
  RECT rect{};
  GetWindowRect(window_, &rect);
  return rect;
}

float WindowFrame::left() const { return pixelsToTwips(rect().left, systemDpi()); }
float WindowFrame::top() const { return pixelsToTwips(rect().top, systemDpi()); }

void WindowFrame::move(int x, int y, int width, int height, UINT flags) {
  if (heldBack_) {
    RECT& planned = heldBack_->frame;
    if (!(flags & SWP_NOMOVE)) OffsetRect(&planned, x - planned.left, y - planned.top);
    if (!(flags & SWP_NOSIZE)) {
      planned.right = planned.left + width;
      planned.bottom = planned.top + height;
    }
    return;
  }
  if (!SetWindowPos(window_, nullptr, x, y, width, height, flags | SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw RuntimeError(RuntimeError::Platform, "The window cannot be placed there");
  }
}

void WindowFrame::setLeft(float twips) { move(twipsToPixels(twips, systemDpi()), rect().top, 0, 0, SWP_NOSIZE); }
void WindowFrame::setTop(float twips) { move(rect().left, twipsToPixels(twips, systemDpi()), 0, 0, SWP_NOSIZE); }

void WindowFrame::setWidth(float twips, UINT dpi) {
  if (heldBack_) heldBack_->widthTwips = twips;
  const RECT now = rect();
  move(0, 0, twipsToPixels(twips, dpi), now.bottom - now.top, SWP_NOMOVE);
}

void WindowFrame::setHeight(float twips, UINT dpi) {
  if (heldBack_) heldBack_->heightTwips = twips;
  const RECT now = rect();
  move(0, 0, now.right - now.left, twipsToPixels(twips, dpi), SWP_NOMOVE);
}

bool WindowFrame::moveBeforeShowing() {
  if (!heldBack_) return false;
  made_ = *heldBack_;
  heldBack_.reset();
  const RECT usable = usableFrameBeforeShowing(window_, made_.frame);
  // Left where it was made when nothing was stored: moving it there again
  // would only cost the start its messages.
  const RECT now = rect();
  if (!EqualRect(&usable, &now)) {
    SetWindowPos(window_, nullptr, usable.left, usable.top, usable.right - usable.left, usable.bottom - usable.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

void WindowFrame::sizeAgainAt(UINT dpi) {
  if (!made_.widthTwips && !made_.heightTwips) return;
  const RECT now = rect();
  const int width = made_.widthTwips ? twipsToPixels(*made_.widthTwips, dpi) : now.right - now.left;
  const int height = made_.heightTwips ? twipsToPixels(*made_.heightTwips, dpi) : now.bottom - now.top;
  SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kestrane
