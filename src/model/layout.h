#pragma once

#include <string_view>

#include "element_names.h"

namespace kestrane {

// The designed look of the main window, in twips from the top-left corner
// of its client area (15 twips are one pixel at 96 dots per inch).
namespace layout {

inline constexpr int clientWidth = 11085;
inline constexpr int clientHeight = 5565;

struct Box {
  const char* name;
  int left, top, width, height;
  int fontPoints;  // 0: the element has no font of its own
};

// In tab order, which is also the order the controls are created in.
inline constexpr Box boxes[] = {
    {names::statusBar, 0, 5295, 11085, 270, 0},
    {names::countdownMessage, 120, 1920, 10815, 1005, 36},
    {names::creator, 3240, 1200, 4215, 495, 12},
    {names::title, 120, 120, 10815, 960, 27},
    {names::version, 120, 1200, 3015, 495, 12},
    {names::abortButton, 5160, 3240, 5775, 1665, 0},
    {names::countdownBox, 840, 3240, 3375, 1725, 72},
    {names::leftMark, 120, 3240, 585, 1725, 72},
    {names::freeware, 7560, 1200, 3375, 495, 12},
    {names::rightMark, 4320, 3240, 585, 1725, 72},
};

struct Line {
  const char* name;
  int x1, y1, x2, y2;
};

inline constexpr Line lines[] = {
    {names::line1, 120, 1800, 10920, 1800},
    {names::line2, 120, 3120, 10920, 3120},
    {names::line3, 0, 5040, 10920, 5040},
};

inline constexpr const char* fontFace = "MS Sans Serif";

// The status bar's panels are each at least this wide.
inline constexpr int minimumPanelWidth = 1440;

inline const Box* boxOf(std::string_view name) {
  for (const Box& box : boxes) {
    if (name == box.name) return &box;
  }
  return nullptr;
}

}  // namespace layout
}  // namespace kestrane
