#pragma once

namespace kestrane {

class KESTRANE_Main;

// Timer handler of AlwaysOnTopTimer: once a second, unless the window is
// itself in the foreground, takes the always-on-top place away from the
// foreground window (the taskbar excepted) and gives it to this window, so
// that whatever the user brings forward, the countdown stays in sight
// above it.
void keepOnTop(KESTRANE_Main& main);

}  // namespace kestrane
