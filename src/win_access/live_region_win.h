#pragma once

#include <string>

#include "announcer.h"
#include "win32.h"

namespace kestrane {

// Speaks announcements through a live region: a one-pixel static control in
// the window's corner, drawn in the window's own ground so the look stays as
// designed, whose accessible name is the latest announcement. Screen
// readers are told of each change with a live-region event. Announcements
// made while the window is hidden wait until it shows.
class LiveRegion final : public Announcer {
 public:
  // Posted to the window when it shows, so that what waited is said once
  // the window is on the screen; the window passes it on to speakWhenShown.
  static constexpr UINT speakPendingMessage = WM_APP + 0x31;

  LiveRegion() = default;
  LiveRegion(const LiveRegion&) = delete;
  LiveRegion& operator=(const LiveRegion&) = delete;
  ~LiveRegion();

  void attach(HWND window, HINSTANCE instance);
  void announce(const std::string& text) override;

  // What the window passes on: it has been shown (WM_WINDOWPOSCHANGED with
  // SWP_SHOWWINDOW, which every way of showing it sends, unlike the show
  // message), the posted message, and its destruction.
  void windowShown();
  void speakWhenShown();
  void windowGone() { window_ = nullptr; }

 private:
  void markLive();
  static LRESULT CALLBACK regionProc(HWND region, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self);

  HWND window_ = nullptr;
  HWND region_ = nullptr;
  std::wstring pending_;
  bool hasPending_ = false;
  bool markedLive_ = false;  // annotated as an assertive live region
};

}  // namespace kestrane
