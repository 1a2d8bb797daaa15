#pragma once

#include <string_view>

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
  int tabIndex;
};

// In tab order, which is also the order the controls are created in.
inline constexpr Box boxes[] = {
    {"sbStatusBar", 0, 5295, 11085, 270, 0, 0},
    {"KESTRANE_COUNTDOWN_MESSAGE", 120, 1920, 10815, 1005, 36, 1},
    {"KESTRANE_CREATOR", 3240, 1200, 4215, 495, 12, 2},
    {"KESTRANE_TITLE", 120, 120, 10815, 960, 27, 3},
    {"KESTRANE_VERSION", 120, 1200, 3015, 495, 12, 4},
    {"KESTRANE_ABORT_BUTTON", 5160, 3240, 5775, 1665, 0, 5},
    {"KESTRANE_COUNTDOWN_TEXTBOX", 840, 3240, 3375, 1725, 72, 6},
    {"KESTRANE_EX_POINT_TEXTBOX_LEFT", 120, 3240, 585, 1725, 72, 7},
    {"KESTRANE_FREEWARE", 7560, 1200, 3375, 495, 12, 8},
    {"KESTRANE_EX_POINT_TEXTBOX_RIGHT", 4320, 3240, 585, 1725, 72, 9},
};

struct Line {
  const char* name;
  int x1, y1, x2, y2;
};

inline constexpr Line lines[] = {
    {"Line1", 120, 1800, 10920, 1800},
    {"Line2", 120, 3120, 10920, 3120},
    {"Line3", 0, 5040, 10920, 5040},
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
