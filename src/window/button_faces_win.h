#pragma once

#include "colour.h"
#include "win32.h"

namespace kestrane {

// The abort button's two faces: the running picture while it is enabled,
// the paused picture while it is disabled, each drawn centred on the
// button's ground colour and clipped to the button. The pictures are JPEG
// resources, decoded by the platform's imaging component and scaled
// smoothly to the window's density.
class ButtonFaces {
 public:
  ButtonFaces() = default;
  ButtonFaces(const ButtonFaces&) = delete;
  ButtonFaces& operator=(const ButtonFaces&) = delete;
  ~ButtonFaces();

  // Decodes both pictures; false when the imaging component is missing,
  // in which case the faces are drawn with words instead.
  bool load(HINSTANCE instance);
  void draw(HDC dc, const RECT& face, Colour ground, bool running, UINT dpi);

 private:
  struct Picture {
    HBITMAP original = nullptr;  // as decoded, 96 dpi
    HBITMAP scaled = nullptr;    // for scaledDpi
    UINT scaledDpi = 0;
    SIZE size{};
  };
  HBITMAP scaledFor(Picture& picture, UINT dpi);
  static void drawWords(HDC dc, const RECT& face, bool running, UINT dpi);

  Picture running_;
  Picture paused_;
};

}  // namespace kestrane
