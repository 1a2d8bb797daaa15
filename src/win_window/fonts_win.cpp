#include "fonts_win.h"

#include "fonts.h"
#include "layout.h"
#include "text_win.h"

namespace kestrane {

namespace {

HFONT createBold(const wchar_t* face, int pixelHeight) {
  return CreateFontW(-pixelHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

// What the system picked for the font.
PickedFont pickedFor(HFONT font) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(screen, font);
  TEXTMETRICW metrics{};
  wchar_t face[LF_FACESIZE] = {};
  GetTextMetricsW(screen, &metrics);
  GetTextFaceW(screen, LF_FACESIZE, face);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return {toUtf8(face), static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading), metrics.tmPitchAndFamily};
}

}  // namespace

HFONT ElementFonts::font(int points, UINT dpi) {
  if (auto found = fonts_.find({dpi, points}); found != fonts_.end()) return found->second;

  const int pixelHeight = MulDiv(points, static_cast<int>(dpi), 72);
  const std::wstring designed = toWide(layout::fontFace);
  HFONT font = createBold(designed.c_str(), pixelHeight);
  if (!designedFaceServes(layout::fontFace, pixelHeight, pickedFor(font))) {
    DeleteObject(font);
    font = createBold(L"Microsoft Sans Serif", pixelHeight);
  }
  fonts_[{dpi, points}] = font;
  return font;
}

void ElementFonts::keepOnly(UINT dpi) {
  for (auto it = fonts_.begin(); it != fonts_.end();) {
    if (it->first.first == dpi) {
      ++it;
    } else {
      DeleteObject(it->second);
      it = fonts_.erase(it);
    }
  }
}

void ElementFonts::clear() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
  fonts_.clear();
}

}  // namespace kestrane
