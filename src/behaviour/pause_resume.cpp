#include "pause_resume.h"

#include "element_names.h"
#include "kestrane_main.h"
#include "countdown.h"

namespace kestrane {

using namespace colours;

// Each handler is its own fixed sequence of assignments; none reads the
// state, so each gesture acts the same whether the countdown runs or not.

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

namespace {

// What a click and a double-click on the box do first: the button and the
// countdown come back and the resuming look is painted.
void resumeLook(KESTRANE_Main& main) {
  main.commandButton(names::abortButton).setEnabled(true);
  main.timer(names::countdownTimer).setEnabled(true);
  main.textBox(names::countdownBox).setBackColor(black);
  main.textBox(names::countdownBox).setForeColor(red);
  main.label(names::countdownMessage).setBackColor(black);
  main.label(names::countdownMessage).setCaption("COUNTDOWN RESUMING...");
}

// Their last steps: the button's running ground, then the flasher starts
// again with its green phase next.
void resumeFlashing(KESTRANE_Main& main) {
  main.commandButton(names::abortButton).setBackColor(green);
  main.timer(names::flasherTimer1).setEnabled(true);
  main.timer(names::flasherTimer2).setEnabled(false);
}

}  // namespace

void continueFromBox(KESTRANE_Main& main) {
  resumeLook(main);
  resumeFlashing(main);
}

void restartCountdown(KESTRANE_Main& main) {
  resumeLook(main);
  main.RemainingTime = countdownStartValue();
  resumeFlashing(main);
}

// A click on the message does what a click on the box does, in another
// order, which is part of its design and kept: the button is finished
// first, then all three timers start, then the box and the message are
// painted. Repeating the steps keeps that order readable at a glance.
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
