#pragma once

#include "colour.h"
#include "win32.h"

struct IWICImagingFactory;

namespace kestrane {

// The abort button's two faces: the running picture while it is enabled,
// the paused picture while it is disabled, each drawn centred on the
// button's ground colour and clipped to the button. The pictures are PNG
// resources, each read when it is first drawn. At any density but 96 dpi
// they are scaled smoothly by the platform's imaging component, which is
// loaded only then.
class ButtonFaces {
 public:
  // The pictures are the program's resources.
  explicit ButtonFaces(HINSTANCE instance);
  ButtonFaces(const ButtonFaces&) = delete;
  ButtonFaces& operator=(const ButtonFaces&) = delete;
  ~ButtonFaces();

  // A picture that cannot be read is drawn as words instead.
  void draw(HDC dc, const RECT& face, Colour ground, bool running, UINT dpi);

 private:
  struct Picture {
    int resourceId = 0;
    bool read = false;           // decoding was tried
    HBITMAP original = nullptr;  // as decoded, 96 dpi
    HBITMAP scaled = nullptr;    // for scaledDpi
    UINT scaledDpi = 0;
    SIZE size{};
  };
  HBITMAP originalOf(Picture& picture);
  HBITMAP scaledFor(Picture& picture, UINT dpi);
  static void drawWords(HDC dc, const RECT& face, bool running, UINT dpi);

  HINSTANCE instance_;
  Picture running_;
  Picture paused_;
  IWICImagingFactory* imaging_ = nullptr;  // made when first scaling
};

}  // namespace kestrane
