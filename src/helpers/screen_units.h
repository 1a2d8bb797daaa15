#pragma once

namespace kestrane {

// Twips (1/1440 inch) and pixels at a given density. The window's position
// is converted at the system's density, fixed for the session, so that a
// stored position means the same pixel whichever monitor the window was on;
// sizes and the layout follow the density of the window's own monitor.

// The most pixels a window's position or size can have on either axis.
constexpr int largestWindowPixels = 32767;

// The exact number of pixels; a density of 0 counts as 96.
double twipsAsPixels(double twips, unsigned dpi);
// The nearest whole pixel, held within the range of a window's coordinates.
int twipsToPixels(double twips, unsigned dpi);
// The exact number of twips.
float pixelsToTwips(int pixels, unsigned dpi);
// True when a window can have this many pixels as a position or size.
bool windowCanHave(double pixels);

}  // namespace kestrane
