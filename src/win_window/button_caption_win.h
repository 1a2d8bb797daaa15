#pragma once

#include <string>

#include "painting.h"
#include "win32.h"

namespace kestrane {

// The abort button's caption in words, bold, centred on the face in one
// line, in `look`'s face at `points` at this density and in `colour`, over
// what the face shows already. For a face that shows no picture.
void drawCaption(HDC dc, const RECT& face, const wchar_t* caption, LOGFONTW look, int points, UINT dpi,
                 COLORREF colour);

// The button's face in high contrast, where the pictures would ignore the
// user's colours: its caption in the user's own text face, large, on the
// button's ground.
void drawCaptionFace(HDC dc, const RECT& face, const std::wstring& caption, DrawnColours colours, UINT dpi);

}  // namespace kestrane
