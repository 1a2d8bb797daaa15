#pragma once

namespace kestrane {

class KESTRANE_Main;

// The time the countdown starts from: the time the text "00:00:31" denotes.
double countdownStartValue();

// Timer handler of KESTRANE_MAIN_COUNTDOWN_TIMER: takes one second off
// RemainingTime, shows the seconds left in the countdown box and, when the
// box reads "00", launches the batch file and unloads the window.
void countdownTick(KESTRANE_Main& main);

}  // namespace kestrane
