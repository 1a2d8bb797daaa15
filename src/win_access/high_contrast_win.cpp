#include "high_contrast_win.h"

namespace kestrane {

namespace {

BOOL CALLBACK tellChild(HWND child, LPARAM) {
  SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

}  // namespace

std::optional<SystemColours> highContrastColours() {
  HIGHCONTRASTW setting{sizeof(setting)};
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0) ||
      !(setting.dwFlags & HCF_HIGHCONTRASTON)) {
    return std::nullopt;
  }
  return SystemColours{GetSysColor(COLOR_WINDOWTEXT),    GetSysColor(COLOR_WINDOW),
                       GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT),
                       GetSysColor(COLOR_BTNTEXT),       GetSysColor(COLOR_BTNFACE),
                       GetSysColor(COLOR_GRAYTEXT)};
}

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

void repaintForSystemColours(HWND window) {
  EnumChildWindows(window, tellChild, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void repaintIfHighContrastChanged(HWND window, WPARAM setting) {
  if (setting == SPI_SETHIGHCONTRAST) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace kestrane
