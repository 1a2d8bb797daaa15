#pragma once

#include <string>

#include "win32.h"

namespace kestrane {

// The common-controls status bar at the foot of the window: "Status", which
// takes the room left, then today's date and the time (short formats),
// each as wide as its text and never narrower than an inch.
class StatusBarPanels {
 public:
  StatusBarPanels() = default;
  StatusBarPanels(const StatusBarPanels&) = delete;
  StatusBarPanels& operator=(const StatusBarPanels&) = delete;
  ~StatusBarPanels();

  void create(HWND parent, HINSTANCE instance, int controlId);
  // Spans the parent's full width at its bottom edge, at this density, in
  // the system's status font for it.
  void place(UINT dpi);
  // Follows the clock; called every second and when the locale or time changes.
  void refresh();
  HWND hwnd() const { return bar_; }

 private:
  void setPanels();
  void useFontFor(UINT dpi);
  int textWidth(const std::wstring& text) const;

  HWND bar_ = nullptr;
  UINT dpi_ = 96;
  HFONT font_ = nullptr;
  UINT fontDpi_ = 0;
  std::wstring date_;
  std::wstring time_;
};

}  // namespace kestrane
