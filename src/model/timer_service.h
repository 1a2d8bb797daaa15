#pragma once

namespace kestrane {

class TimerElement;

// Runs the timer elements' clocks: window timers in the program, a
// simulated clock in the tests. Elapsed intervals come back to the window
// as Timer events.
class TimerService {
 public:
  // Starts the timer, or starts it afresh: its next event comes one
  // interval from now.
  virtual void start(const TimerElement& timer, int intervalMs) = 0;
  virtual void stop(const TimerElement& timer) = 0;

 protected:
  ~TimerService() = default;
};

}  // namespace kestrane
