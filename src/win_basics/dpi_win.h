#pragma once

#include "screen_units.h"
#include "win32.h"

namespace kestrane {

// Dots per inch of the monitor a window is on (the system's before it has
// one).
UINT dpiOf(HWND window);
// Dots per inch of the system, fixed for the session: the density at which
// the window's position is converted.
UINT systemDpi();

// A system metric (SM_...) at a density: the window's own where the system
// knows per-window densities, the system's where it does not.
int metricAt(int index, UINT dpi);
// Grows a client rectangle to the outer frame of a window with these
// styles at a density, as metricAt does.
void adjustFrameAt(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace kestrane
