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

void repaintForSystemColours(HWND window) {
  EnumChildWindows(window, tellChild, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void repaintIfHighContrastChanged(HWND window, WPARAM setting) {
  if (setting == SPI_SETHIGHCONTRAST) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace kestrane
