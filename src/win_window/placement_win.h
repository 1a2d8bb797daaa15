#pragma once

#include <optional>

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

// The main window's outer frame, which the model places in twips. Until the
// window first shows, Load's placement is gathered here and made in one
// move: moving a hidden window four times only costs start-up time. The
// sizes are kept in twips too, for the case where that move lands on a
// monitor of another density.
class WindowFrame {
 public:
  // Holds back every placement of the still hidden window from now on.
  void holdBack(HWND window);
  void windowGone() { window_ = nullptr; }

  RECT rect() const;
  // The position converts at the system's density, the same on every
  // monitor, so that it comes back to the same pixel whichever monitor it
  // was saved on; the sizes at the window's own density.
  float left() const;
  float top() const;
  void setLeft(float twips);
  void setTop(float twips);
  void setWidth(float twips, UINT dpi);
  void setHeight(float twips, UINT dpi);

  // Makes the placement held back, brought onto a monitor if it left no
  // usable part of the window on any; false when nothing was held back.
  bool moveBeforeShowing();
  // That move changed the window's density: the sizes Load gave are made
  // again at the new one.
  void sizeAgainAt(UINT dpi);

 private:
  void move(int x, int y, int width, int height, UINT flags);

  struct Placement {
    RECT frame{};
    std::optional<float> widthTwips, heightTwips;
  };
  HWND window_ = nullptr;
  std::optional<Placement> heldBack_;
  Placement made_;  // the placement held back, once it is made
};

}  // namespace kestrane
