#include "pause_resume.h"

#include <cstddef>

#include "colour.h"
#include "countdown.h"
#include "element_names.h"
#include "kestrane_main.h"

namespace kestrane {

namespace {

using namespace colours;

// One step of a handler: one property set, on an element reached as the
// kind it is (a command button, a timer, a text box or a label), or the
// time left set back to the start.
struct Step {
  enum class Set {
    ButtonEnabled,
    ButtonBackColor,
    TimerEnabled,
    BoxBackColor,
    BoxForeColor,
    LabelBackColor,
    LabelForeColor,
    LabelCaption,
    TimeLeftToStart,
  };
  Set set;
  const char* element;
  bool enabled;
  Colour colour;
  const char* caption;
};

constexpr Step buttonEnabled(const char* button, bool enabled) {
  return {Step::Set::ButtonEnabled, button, enabled, 0, nullptr};
}
constexpr Step buttonBackColor(const char* button, Colour colour) {
  return {Step::Set::ButtonBackColor, button, false, colour, nullptr};
}
constexpr Step timerEnabled(const char* timer, bool enabled) {
  return {Step::Set::TimerEnabled, timer, enabled, 0, nullptr};
}
constexpr Step boxBackColor(const char* box, Colour colour) {
  return {Step::Set::BoxBackColor, box, false, colour, nullptr};
}
constexpr Step boxForeColor(const char* box, Colour colour) {
  return {Step::Set::BoxForeColor, box, false, colour, nullptr};
}
constexpr Step labelBackColor(const char* label, Colour colour) {
  return {Step::Set::LabelBackColor, label, false, colour, nullptr};
}
constexpr Step labelForeColor(const char* label, Colour colour) {
  return {Step::Set::LabelForeColor, label, false, colour, nullptr};
}
constexpr Step labelCaption(const char* label, const char* caption) {
  return {Step::Set::LabelCaption, label, false, 0, caption};
}
constexpr Step timeLeftToStart() { return {Step::Set::TimeLeftToStart, nullptr, false, 0, nullptr}; }

void take(KESTRANE_Main& main, const Step& step) {
  switch (step.set) {
    case Step::Set::ButtonEnabled:
      main.commandButton(step.element).setEnabled(step.enabled);
      break;
    case Step::Set::ButtonBackColor:
      main.commandButton(step.element).setBackColor(step.colour);
      break;
    case Step::Set::TimerEnabled:
      main.timer(step.element).setEnabled(step.enabled);
      break;
    case Step::Set::BoxBackColor:
      main.textBox(step.element).setBackColor(step.colour);
      break;
    case Step::Set::BoxForeColor:
      main.textBox(step.element).setForeColor(step.colour);
      break;
    case Step::Set::LabelBackColor:
      main.label(step.element).setBackColor(step.colour);
      break;
    case Step::Set::LabelForeColor:
      main.label(step.element).setForeColor(step.colour);
      break;
    case Step::Set::LabelCaption:
      main.label(step.element).setCaption(step.caption);
      break;
    case Step::Set::TimeLeftToStart:
      main.RemainingTime = countdownStartValue();
      break;
  }
}

// Takes the steps in order; a failing step ends the handler there.
template <std::size_t count>
void run(KESTRANE_Main& main, const Step (&steps)[count]) {
  for (const Step& step : steps) take(main, step);
}

// Each handler is its own fixed table of steps, in its own order; none
// reads the state, so each gesture acts the same whether the countdown
// runs or not.

// The abort button's Click: the button and counting stop first, then the
// paused look is painted, the button's ground last.
constexpr Step pauseSteps[] = {
    buttonEnabled(names::abortButton, false),
    timerEnabled(names::countdownTimer, false),
    boxBackColor(names::countdownBox, red),
    boxForeColor(names::countdownBox, black),
    labelCaption(names::countdownMessage, "COUNTDOWN PAUSED..."),
    timerEnabled(names::flasherTimer1, false),
    timerEnabled(names::flasherTimer2, false),
    boxBackColor(names::leftMark, red),
    boxBackColor(names::rightMark, red),
    labelBackColor(names::countdownMessage, red),
    boxForeColor(names::leftMark, black),
    boxForeColor(names::rightMark, black),
    labelForeColor(names::countdownMessage, black),
    buttonBackColor(names::abortButton, black),
};

// A click on the box: the button and counting come back, the box and the
// message are painted in the resuming look, then the button's running
// ground, and the flasher starts again with its green phase next.
constexpr Step boxContinueSteps[] = {
    buttonEnabled(names::abortButton, true),
    timerEnabled(names::countdownTimer, true),
    boxBackColor(names::countdownBox, black),
    boxForeColor(names::countdownBox, red),
    labelBackColor(names::countdownMessage, black),
    labelCaption(names::countdownMessage, "COUNTDOWN RESUMING..."),
    buttonBackColor(names::abortButton, green),
    timerEnabled(names::flasherTimer1, true),
    timerEnabled(names::flasherTimer2, false),
};

// A double-click on the box or the message: the box's continue, with the
// time set back to the start between the painting and the button's ground.
constexpr Step restartSteps[] = {
    buttonEnabled(names::abortButton, true),
    timerEnabled(names::countdownTimer, true),
    boxBackColor(names::countdownBox, black),
    boxForeColor(names::countdownBox, red),
    labelBackColor(names::countdownMessage, black),
    labelCaption(names::countdownMessage, "COUNTDOWN RESUMING..."),
    timeLeftToStart(),
    buttonBackColor(names::abortButton, green),
    timerEnabled(names::flasherTimer1, true),
    timerEnabled(names::flasherTimer2, false),
};

// A click on the message does what a click on the box does, in another
// order, which is part of its design and kept: the button is finished
// first, then all three timers start, then the box and the message are
// painted.
constexpr Step messageContinueSteps[] = {
    buttonEnabled(names::abortButton, true),
    buttonBackColor(names::abortButton, green),
    timerEnabled(names::countdownTimer, true),
    timerEnabled(names::flasherTimer1, true),
    timerEnabled(names::flasherTimer2, false),
    boxBackColor(names::countdownBox, black),
    boxForeColor(names::countdownBox, red),
    labelBackColor(names::countdownMessage, black),
    labelCaption(names::countdownMessage, "COUNTDOWN RESUMING..."),
};

}  // namespace

void pauseCountdown(KESTRANE_Main& main) { run(main, pauseSteps); }
void continueFromBox(KESTRANE_Main& main) { run(main, boxContinueSteps); }
void restartCountdown(KESTRANE_Main& main) { run(main, restartSteps); }
void continueFromMessage(KESTRANE_Main& main) { run(main, messageContinueSteps); }

}  // namespace kestrane
