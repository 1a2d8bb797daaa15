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

}  // namespace kestrane
