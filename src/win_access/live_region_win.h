#pragma once

#include <string>

#include "announcements.h"
#include "win32.h"

namespace kestrane {

// Speaks announcements through a live region: a one-pixel static control in
// the window's corner, drawn in the window's own ground so the look stays as
// designed, whose accessible name is the latest announcement. Screen
// readers are told of each change with a live-region event. Announcements
// made while the window is hidden wait until it shows.
class LiveRegion final : public Announcer {
 public:
  LiveRegion() = default;
  LiveRegion(const LiveRegion&) = delete;
  LiveRegion& operator=(const LiveRegion&) = delete;
  ~LiveRegion();

  void attach(HWND window, HINSTANCE instance);
  void announce(const std::string& text) override;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self);
  static LRESULT CALLBACK regionProc(HWND region, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self);
  void speakWhenShown();

  HWND window_ = nullptr;
  HWND region_ = nullptr;
  std::wstring pending_;
  bool hasPending_ = false;
  bool markedLive_ = false;  // annotated for the first accessibility client
};

}  // namespace kestrane
