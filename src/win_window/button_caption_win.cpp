#include "button_caption_win.h"

namespace kestrane {

void drawCaption(HDC dc, const RECT& face, const wchar_t* caption, LOGFONTW look, int points, UINT dpi,
                 COLORREF colour) {
  look.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
  look.lfWeight = FW_BOLD;
  HFONT font = CreateFontIndirectW(&look);
  HGDIOBJ previous = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  RECT area = face;
  DrawTextW(dc, caption, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, previous);
  DeleteObject(font);
}

void drawCaptionFace(HDC dc, const RECT& face, const std::wstring& caption, DrawnColours colours, UINT dpi) {
  HBRUSH ground = CreateSolidBrush(colours.ground);
  FillRect(dc, &face, ground);
  DeleteObject(ground);
  NONCLIENTMETRICSW metrics{sizeof(metrics)};
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  drawCaption(dc, face, caption.c_str(), metrics.lfMessageFont, 16, dpi, colours.text);
}

}  // namespace kestrane
