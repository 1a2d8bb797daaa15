#pragma once

#include "win32.h"

namespace kestrane {

// Moves a window that has no usable part on any monitor (a display was
// removed, the stored position was edited, or only its invisible borders
// reach a screen) wholly onto the nearest monitor's work area, keeping its
// size. A window whose caption the user can see and drag stays exactly
// where it is. Minimised and maximised windows are left alone.
void keepUsableOnAMonitor(HWND window);

}  // namespace kestrane
