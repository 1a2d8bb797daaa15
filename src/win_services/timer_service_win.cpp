#include "timer_service_win.h"

#include "element.h"
#include "runtime_error.h"

namespace kestrane {

void WindowTimers::start(const TimerElement& timer, int intervalMs) {
  // Setting an existing timer again starts its interval afresh.
  if (!window_ || !SetTimer(window_, firstId + static_cast<UINT_PTR>(timer.id()),
                            static_cast<UINT>(intervalMs), nullptr)) {
    throw RuntimeError(RuntimeError::OutOfMemory, "No timer is available for " + timer.name());
  }
}

void WindowTimers::stop(const TimerElement& timer) {
  if (window_) KillTimer(window_, firstId + static_cast<UINT_PTR>(timer.id()));
}

}  // namespace kestrane
