#include "pause_resume.h"

#include "element_names.h"
#include "kestrane_main.h"
#include "countdown.h"

namespace kestrane {

using namespace colours;

// Each handler is its own fixed sequence of assignments, written out step
// by step in its own order; none reads the state, so each gesture acts the
// same whether the countdown runs or not.

// The abort button's Click: the button and counting stop first, then the
// paused look is painted, the button's ground last.
void pauseCountdown(KESTRANE_Main& main) {
  main.commandButton(names::abortButton).setEnabled(false);
  main.timer(names::countdownTimer).setEnabled(false);
  main.textBox(names::countdownBox).setBackColor(red);
  main.textBox(names::countdownBox).setForeColor(black);
  main.label(names::countdownMessage).setCaption("COUNTDOWN PAUSED...");
  main.timer(names::flasherTimer1).setEnabled(false);
  main.timer(names::flasherTimer2).setEnabled(false);
  main.textBox(names::leftMark).setBackColor(red);
  main.textBox(names::rightMark).setBackColor(red);
  main.label(names::countdownMessage).setBackColor(red);
  main.textBox(names::leftMark).setForeColor(black);
  main.textBox(names::rightMark).setForeColor(black);
  main.label(names::countdownMessage).setForeColor(black);
  main.commandButton(names::abortButton).setBackColor(black);
}

// A click on the box: the button and counting come back, the box and the
// message are painted in the resuming look, then the button's running
// ground, and the flasher starts again with its green phase next.
void continueFromBox(KESTRANE_Main& main) {
  main.commandButton(names::abortButton).setEnabled(true);
  main.timer(names::countdownTimer).setEnabled(true);
  main.textBox(names::countdownBox).setBackColor(black);
  main.textBox(names::countdownBox).setForeColor(red);
  main.label(names::countdownMessage).setBackColor(black);
  main.label(names::countdownMessage).setCaption("COUNTDOWN RESUMING...");
  main.commandButton(names::abortButton).setBackColor(green);
  main.timer(names::flasherTimer1).setEnabled(true);
  main.timer(names::flasherTimer2).setEnabled(false);
}

// A double-click on the box or the message: the box's continue, with the
// time set back to the start between the painting and the button's ground.
void restartCountdown(KESTRANE_Main& main) {
  main.commandButton(names::abortButton).setEnabled(true);
  main.timer(names::countdownTimer).setEnabled(true);
  main.textBox(names::countdownBox).setBackColor(black);
  main.textBox(names::countdownBox).setForeColor(red);
  main.label(names::countdownMessage).setBackColor(black);
  main.label(names::countdownMessage).setCaption("COUNTDOWN RESUMING...");
  main.RemainingTime = countdownStartValue();
  main.commandButton(names::abortButton).setBackColor(green);
  main.timer(names::flasherTimer1).setEnabled(true);
  main.timer(names::flasherTimer2).setEnabled(false);
}

// A click on the message does what a click on the box does, in another
// order, which is part of its design and kept: the button is finished
// first, then all three timers start, then the box and the message are
// painted.
void continueFromMessage(KESTRANE_Main& main) {
  main.commandButton(names::abortButton).setEnabled(true);
  main.commandButton(names::abortButton).setBackColor(green);
  main.timer(names::countdownTimer).setEnabled(true);
  main.timer(names::flasherTimer1).setEnabled(true);
  main.timer(names::flasherTimer2).setEnabled(false);
  main.textBox(names::countdownBox).setBackColor(black);
  main.textBox(names::countdownBox).setForeColor(red);
  main.label(names::countdownMessage).setBackColor(black);
  main.label(names::countdownMessage).setCaption("COUNTDOWN RESUMING...");
}

}  // namespace kestrane
