#pragma once

#include "win32.h"

namespace kestrane {

// Dots per inch of the monitor a window is on (the system's before it has
// one), and conversions between twips and pixels at that density.
UINT dpiOf(HWND window);
int twipsToPixels(double twips, UINT dpi);
float pixelsToTwips(int pixels, UINT dpi);

}  // namespace kestrane
