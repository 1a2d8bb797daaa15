#pragma once

#include <cstdint>

namespace kestrane {

// Tells the clicks among the left button's presses and releases. A click is
// a press and a release on the same element, nothing else: any release ends
// what the press began, wherever it happens, and so does losing the mouse
// to another window.
class ClickTracker {
 public:
  using Target = std::intptr_t;           // the element's control
  static constexpr Target noElement = 0;  // the background, another control, another window

  void pressed(Target target) { pressed_ = target; }
  // True when this release on target completes a click on it.
  bool released(Target target) {
    const bool click = target != noElement && target == pressed_;
    pressed_ = noElement;
    return click;
  }
  void forget() { pressed_ = noElement; }

 private:
  Target pressed_ = noElement;
};

}  // namespace kestrane
