#include "placement.h"

#include <algorithm>
#include <limits>

namespace kestrane {

namespace {

constexpr int graspablePixels = 100;

int captionBottomOf(const WindowOnScreen& window) { return std::max(window.captionBottom, window.visible.top + 1); }

bool captionIsUsableOn(const WindowOnScreen& window, const ScreenRect& work) {
  const ScreenRect& visible = window.visible;
  const int captionBottom = captionBottomOf(window);
  const bool fullHeight = work.top <= visible.top && captionBottom <= work.bottom;
  const int overlap = std::min(visible.right, work.right) - std::max(visible.left, work.left);
  return fullHeight && overlap >= captionWidthNeeded(visible.width());
}

// How far apart two rectangles lie, squared; 0 when they touch or overlap.
long long distanceSquared(const ScreenRect& a, const ScreenRect& b) {
  const long long dx = std::max({0, b.left - a.right, a.left - b.right});
  const long long dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
  return dx * dx + dy * dy;
}

// The start of a span of this length moved into [low, high), or onto its
// start when it does not fit.
int moveInto(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

int captionWidthNeeded(int visibleWidth) { return std::min(visibleWidth / 4, graspablePixels); }

std::optional<ScreenPoint> placeToKeepUsable(const WindowOnScreen& window,
                                             const std::vector<ScreenRect>& workAreas) {
  if (workAreas.empty()) return std::nullopt;
  for (const ScreenRect& work : workAreas) {
    if (captionIsUsableOn(window, work)) return std::nullopt;
  }
  const ScreenRect& visible = window.visible;
  const ScreenRect* nearest = &workAreas.front();
  long long nearestDistance = std::numeric_limits<long long>::max();
  for (const ScreenRect& work : workAreas) {
    const long long distance = distanceSquared(visible, work);
    if (distance < nearestDistance) {
      nearest = &work;
      nearestDistance = distance;
    }
  }
  const int x = moveInto(visible.left, visible.width(), nearest->left, nearest->right);
  // A frame planned shorter than its caption bar shows at least that tall.
  const int height = std::max(visible.height(), captionBottomOf(window) - visible.top);
  const int y = moveInto(visible.top, height, nearest->top, nearest->bottom);
  // The invisible borders move with the visible frame.
  return ScreenPoint{window.frame.left + (x - visible.left), window.frame.top + (y - visible.top)};
}

bool liesWhollyInAWorkArea(const ScreenRect& frame, const std::vector<ScreenRect>& workAreas) {
  return std::any_of(workAreas.begin(), workAreas.end(), [&](const ScreenRect& work) {
    return work.left <= frame.left && frame.right <= work.right && work.top <= frame.top &&
           frame.bottom <= work.bottom;
  });
}

std::optional<unsigned> densityToLayOutAgain(unsigned laidOutAt, unsigned windowReports) {
  if (windowReports == 0 || windowReports == laidOutAt) return std::nullopt;
  return windowReports;
}

}  // namespace kestrane
