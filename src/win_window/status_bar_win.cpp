#include "status_bar_win.h"

#include <algorithm>
#include <commctrl.h>

#include "dpi_win.h"
#include "element_names.h"
#include "layout.h"
#include "system_libraries_win.h"

namespace kestrane {

namespace {

// The text a formatting call gives, in as much room as the call says it
// needs when asked with none; empty when it cannot give it.
template <class Format>
std::wstring formatted(Format format) {
  const int length = format(nullptr, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  const int written = format(text.data(), length);
  text.resize(written > 0 ? static_cast<std::size_t>(written - 1) : 0);  // without the terminating zero
  return text;
}

std::wstring shortDate() {
  return formatted([](wchar_t* text, int room) {
    return GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, room, nullptr);
  });
}

std::wstring shortTime() {
  return formatted([](wchar_t* text, int room) {
    return GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text, room);
  });
}

// The system's status bar font, made for this density.
HFONT statusFont(UINT dpi) {
  using ParametersForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
  static const auto parametersForDpi = user32Function<ParametersForDpiFn>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{sizeof(metrics)};
  if (parametersForDpi && parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
    return CreateFontIndirectW(&metrics.lfStatusFont);
  }
  // Older systems give it at the system's density only.
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
  metrics.lfStatusFont.lfHeight = MulDiv(metrics.lfStatusFont.lfHeight, static_cast<int>(dpi),
                                         static_cast<int>(systemDpi()));
  return CreateFontIndirectW(&metrics.lfStatusFont);
}

}  // namespace

StatusBarPanels::~StatusBarPanels() {
  if (font_) DeleteObject(font_);
}

void StatusBarPanels::create(HWND parent, HINSTANCE instance, int controlId) {
  // Placed by hand so that it keeps the designed height at every density.
  bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"",
                         WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0, 0, 0,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr);
}

void StatusBarPanels::place(UINT dpi) {
  if (!bar_) return;
  dpi_ = dpi;
  if (fontDpi_ != dpi) useFontFor(dpi);
  const layout::Box& box = *layout::boxOf(names::statusBar);
  RECT client{};
  GetClientRect(GetParent(bar_), &client);
  const int height = twipsToPixels(box.height, dpi);
  MoveWindow(bar_, 0, client.bottom - height, client.right, height, TRUE);
  setPanels();
}

// The bar lets go of its old font before it is deleted.
void StatusBarPanels::useFontFor(UINT dpi) {
  HFONT font = statusFont(dpi);
  if (!font) return;
  SendMessageW(bar_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (font_) DeleteObject(font_);
  font_ = font;
  fontDpi_ = dpi;
}

void StatusBarPanels::refresh() {
  std::wstring date = shortDate();
  std::wstring time = shortTime();
  if (date == date_ && time == time_) return;
  date_ = std::move(date);
  time_ = std::move(time);
  setPanels();
}

int StatusBarPanels::textWidth(const std::wstring& text) const {
  HDC dc = GetDC(bar_);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(bar_, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(bar_, dc);
  int borders[3] = {};
  SendMessageW(bar_, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  return size.cx + 2 * borders[0] + 2 * borders[2] + MulDiv(8, static_cast<int>(dpi_), 96);
}

void StatusBarPanels::setPanels() {
  if (!bar_) return;
  if (date_.empty()) {
    date_ = shortDate();
    time_ = shortTime();
  }
  RECT bar{};
  GetClientRect(bar_, &bar);
  const int minimum = twipsToPixels(layout::minimumPanelWidth, dpi_);
  const int dateWidth = std::max(minimum, textWidth(date_));
  const int timeWidth = std::max(minimum, textWidth(time_));
  const int statusWidth = std::max(minimum, static_cast<int>(bar.right) - dateWidth - timeWidth);
  int rightEdges[3] = {statusWidth, statusWidth + dateWidth, statusWidth + dateWidth + timeWidth};
  SendMessageW(bar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rightEdges));
  SendMessageW(bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Status"));
  SendMessageW(bar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(date_.c_str()));
  SendMessageW(bar_, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(time_.c_str()));
}

}  // namespace kestrane
