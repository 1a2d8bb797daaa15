#pragma once

#include <string>

#include "painting.h"
#include "win32.h"

namespace kestrane {

// The abort button's face as its caption in words, for high contrast, where
// the pictures would ignore the user's colours.
void drawCaptionFace(HDC dc, const RECT& face, const std::wstring& caption, DrawnColours colours, UINT dpi);

}  // namespace kestrane
