#pragma once

#include "win32.h"

namespace kestrane {

// Moves a window that has no usable part on any monitor (a display was
// removed, the stored position was edited, or only its invisible borders
// reach a screen) wholly onto the nearest monitor's work area, keeping its
// size. A window whose caption the user can see and drag stays exactly
// where it is. Minimised and maximised windows are left alone.
void keepUsableOnAMonitor(HWND window);

// Where a window that is still hidden should go instead of `frame`, by the
// same rule, so that it is moved once before it shows. Its caption height
// is the one it has now; the visible frame is taken to be the whole frame,
// since the frame as drawn is known only once the window shows.
RECT usableFrameBeforeShowing(HWND window, const RECT& frame);

}  // namespace kestrane
