#pragma once

namespace kestrane {

class KESTRANE_Main;

// The abort button's Click: stops the countdown and the flasher and paints
// the paused look. The time left stays as the last tick left it.
void pauseCountdown(KESTRANE_Main& main);

// A click on the countdown box or on the message: counting goes on with the
// time left, in the resuming look, the flasher's green phase next.
void continueFromBox(KESTRANE_Main& main);
void continueFromMessage(KESTRANE_Main& main);

// A double-click on either: as a continue, and the time left is 31 seconds again.
void restartCountdown(KESTRANE_Main& main);

}  // namespace kestrane
