#include "high_contrast_win.h"

#include <commctrl.h>

namespace kestrane {

namespace {

constexpr UINT_PTR subclassId = 0x4843;  // "HC"

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

HighContrastWatch::~HighContrastWatch() {
  if (window_ && IsWindow(window_)) RemoveWindowSubclass(window_, windowProc, subclassId);
}

void HighContrastWatch::attach(HWND window) {
  window_ = window;
  SetWindowSubclass(window, windowProc, subclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK HighContrastWatch::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR selfPointer) {
  switch (message) {
    case WM_SYSCOLORCHANGE:
      EnumChildWindows(window, tellChild, 0);
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETHIGHCONTRAST) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, windowProc, subclassId);
      reinterpret_cast<HighContrastWatch*>(selfPointer)->window_ = nullptr;
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace kestrane
