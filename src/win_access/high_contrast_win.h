#pragma once

#include <optional>
#include <string>

#include "palette.h"
#include "win32.h"

namespace kestrane {

// The user's own colours while high contrast is on; nothing otherwise.
std::optional<SystemColours> highContrastColours();

// The abort button's face as its caption in words, for high contrast, where
// the pictures would ignore the user's colours.
void drawCaptionFace(HDC dc, const RECT& face, const std::wstring& caption, DrawnColours colours, UINT dpi);

// Repaints the whole window when the user turns high contrast on or off or
// changes the system colours, and passes the colour change on to the
// common controls, which wait for their parent to tell them.
class HighContrastWatch {
 public:
  HighContrastWatch() = default;
  HighContrastWatch(const HighContrastWatch&) = delete;
  HighContrastWatch& operator=(const HighContrastWatch&) = delete;
  ~HighContrastWatch();

  void attach(HWND window);

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self);
  HWND window_ = nullptr;
};

}  // namespace kestrane
