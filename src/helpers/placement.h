#pragma once

#include <optional>
#include <vector>

namespace kestrane {

// Screen rectangles in pixels, right and bottom exclusive.
struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

struct ScreenPoint {
  int x = 0, y = 0;
  bool operator==(const ScreenPoint& other) const { return x == other.x && y == other.y; }
};

// The window as the screen shows it.
struct WindowOnScreen {
  ScreenRect frame;       // the outer window rectangle, invisible resize borders included
  ScreenRect visible;     // what is drawn of the frame
  int captionBottom = 0;  // the screen y where the caption bar ends and the client area begins
};

// How much of the caption bar must lie on a monitor for the user to see and
// drag the window: its full height, and a quarter of the window's width or
// 100 pixels, whichever is less.
int captionWidthNeeded(int visibleWidth);

// Where the window's outer frame has to move, keeping its size, so that a
// usable part of it is on some monitor's work area; nullopt when it already
// is. A window that is not is moved wholly into the work area nearest to it
// (its top-left corner first where it is larger than that work area).
std::optional<ScreenPoint> placeToKeepUsable(const WindowOnScreen& window,
                                             const std::vector<ScreenRect>& workAreas);

// True when the outer frame lies wholly inside one work area. Such a window
// is usable however much of its frame is drawn, so nobody need ask the
// system which part that is.
bool liesWhollyInAWorkArea(const ScreenRect& frame, const std::vector<ScreenRect>& workAreas);

// After the window's one move before it shows: the density to lay it out at
// again, when the density the window now reports is known (above 0) and is
// not the one its layout was made at. The system need not tell a hidden
// window that its density changed, so the window asks after the move.
std::optional<unsigned> densityToLayOutAgain(unsigned laidOutAt, unsigned windowReports);

}  // namespace kestrane
