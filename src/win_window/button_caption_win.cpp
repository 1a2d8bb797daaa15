#include "button_caption_win.h"

namespace kestrane {

void drawCaptionFace(HDC dc, const RECT& face, const std::wstring& caption, DrawnColours colours, UINT dpi) {
  HBRUSH ground = CreateSolidBrush(colours.ground);
  FillRect(dc, &face, ground);
  DeleteObject(ground);
  NONCLIENTMETRICSW metrics{sizeof(metrics)};
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  LOGFONTW look = metrics.lfMessageFont;  // the user's own text face, large and bold
  look.lfHeight = -MulDiv(16, static_cast<int>(dpi), 72);
  look.lfWeight = FW_BOLD;
  HFONT font = CreateFontIndirectW(&look);
  HGDIOBJ previous = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours.text);
  RECT area = face;
  DrawTextW(dc, caption.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, previous);
  DeleteObject(font);
}

}  // namespace kestrane
