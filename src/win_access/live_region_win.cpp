#include "live_region_win.h"

#include <commctrl.h>

#include "annotations_win.h"
#include "text_win.h"

#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

namespace kestrane {

namespace {

constexpr UINT_PTR subclassId = 0x4c52;  // "LR"

}  // namespace

LiveRegion::~LiveRegion() {
  if (region_ && IsWindow(region_)) RemoveWindowSubclass(region_, regionProc, subclassId);
}

void LiveRegion::attach(HWND window, HINSTANCE instance) {
  window_ = window;
  region_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 1, 1, window,
                            nullptr, instance, nullptr);
  if (!region_) return;
  // Last in the window's order, so it names no control that follows it.
  SetWindowPos(region_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowSubclass(region_, regionProc, subclassId, reinterpret_cast<DWORD_PTR>(this));
  if (hasPending_) PostMessageW(window_, speakPendingMessage, 0, 0);
}

void LiveRegion::announce(const std::string& text) {
  pending_ = toWide(text);
  hasPending_ = true;
  speakWhenShown();
}

void LiveRegion::speakWhenShown() {
  if (!hasPending_ || !region_ || !IsWindowVisible(window_)) return;
  hasPending_ = false;
  // A screen reader may first meet the region through its event, and reads
  // how live it is then: marked before the first event anyone listens to.
  if (IsWinEventHookInstalled(EVENT_OBJECT_LIVEREGIONCHANGED)) markLive();
  SetWindowTextW(region_, pending_.c_str());
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, region_, OBJID_CLIENT, CHILDID_SELF);
}

// Posted when the window has been shown, however it was shown.
void LiveRegion::windowShown() {
  if (window_) PostMessageW(window_, speakPendingMessage, 0, 0);
}

// Marked as a live region once, when a client first asks for the region or
// listens for its first event, so that a start with no accessibility client
// never pays for the annotation service.
void LiveRegion::markLive() {
  if (markedLive_ || !region_) return;
  markedLive_ = true;
  annotations::makeAssertiveLiveRegion(region_);
}

// The region is there to be read, not seen: it paints the window's ground.
LRESULT CALLBACK LiveRegion::regionProc(HWND region, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR selfPointer) {
  auto* self = reinterpret_cast<LiveRegion*>(selfPointer);
  switch (message) {
    case WM_GETOBJECT:
      self->markLive();
      break;
    case WM_DESTROY:
      if (self->markedLive_) annotations::clearAll(region);
      break;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(region, &paint);
      FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
      EndPaint(region, &paint);
      return 0;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(region, regionProc, subclassId);
      self->region_ = nullptr;
      break;
  }
  return DefSubclassProc(region, message, wParam, lParam);
}

}  // namespace kestrane
