#pragma once

#include "timer_service.h"
#include "win32.h"

namespace kestrane {

// Timer elements as window timers of the main window: the timer's id is the
// element's id plus one, and WM_TIMER comes back to the window.
class WindowTimers : public TimerService {
 public:
  static constexpr UINT_PTR firstId = 1;

  void attach(HWND window) { window_ = window; }
  void start(const TimerElement& timer, int intervalMs) override;
  void stop(const TimerElement& timer) override;

 private:
  HWND window_ = nullptr;
};

}  // namespace kestrane
