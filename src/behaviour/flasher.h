#pragma once

namespace kestrane {

class KESTRANE_Main;

// The attention flasher: the message and the two marks switch between black
// on green (KESTRANE_EX_1_TIMER) and green on black (KESTRANE_EX_2_TIMER).
// Each phase paints itself and hands over to the other timer, enabling it
// first and disabling its own last, so one phase follows the other a second
// apart and no flag is needed to know which comes next.
void paintGreenPhase(KESTRANE_Main& main);
void paintDarkPhase(KESTRANE_Main& main);

}  // namespace kestrane
