#pragma once

#include <map>

#include "colour.h"
#include "element_controls_win.h"
#include "win32.h"

namespace kestrane {

class ButtonFaces;

// What the window paints itself: the designed lines, the owner-drawn abort
// button, and the colours the labels and text boxes are drawn in, from the
// model's colours or, in high contrast, from the user's.
class WindowPainting {
 public:
  WindowPainting(ButtonFaces& faces, const ElementControls& controls) : faces_(faces), controls_(controls) {}
  WindowPainting(const WindowPainting&) = delete;
  WindowPainting& operator=(const WindowPainting&) = delete;
  ~WindowPainting();

  // WM_PAINT: the lines, at the window's density.
  void paintLines(HWND window, UINT dpi);
  // WM_DRAWITEM: the button's face for its state, and its focus rectangle.
  void drawButton(const DRAWITEMSTRUCT& item, const CommandButton& button, UINT dpi);
  // WM_CTLCOLORSTATIC and WM_CTLCOLOREDIT: the control's colours, and the
  // brush for its ground.
  LRESULT controlColour(HWND window, HDC dc, HWND control);

 private:
  static void drawFocusRectangle(const DRAWITEMSTRUCT& item);
  HBRUSH brush(Colour colour);

  ButtonFaces& faces_;
  const ElementControls& controls_;
  std::map<Colour, HBRUSH> brushes_;  // made as each colour is first needed, kept until the end
};

}  // namespace kestrane
