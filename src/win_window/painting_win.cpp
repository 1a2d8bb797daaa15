#include "painting_win.h"

#include "button_caption_win.h"
#include "button_faces_win.h"
#include "high_contrast_win.h"
#include "layout.h"
#include "painting.h"
#include "screen_units.h"
#include "text_win.h"

namespace kestrane {

namespace {

// One pixel on from `to`, away from `from`: LineTo leaves out its end point.
int onePast(int from, int to) { return to + (to > from) - (to < from); }

}  // namespace

WindowPainting::~WindowPainting() {
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
}

void WindowPainting::paintLines(HWND window, UINT dpi) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ previous = SelectObject(dc, pen);
  for (const layout::Line& line : layout::lines) {
    const POINT from{twipsToPixels(line.x1, dpi), twipsToPixels(line.y1, dpi)};
    const POINT to{twipsToPixels(line.x2, dpi), twipsToPixels(line.y2, dpi)};
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, onePast(from.x, to.x), onePast(from.y, to.y));
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
  EndPaint(window, &paint);
}

void WindowPainting::drawButton(const DRAWITEMSTRUCT& item, const CommandButton& button, UINT dpi) {
  // Gaining or losing the focus only shows or hides the focus rectangle,
  // which is drawn inverted: the face stays as it is.
  if (item.itemAction == ODA_FOCUS) {
    if (!(item.itemState & ODS_NOFOCUSRECT)) drawFocusRectangle(item);
    return;
  }
  if (const auto system = highContrastColours()) {
    drawCaptionFace(item.hDC, item.rcItem, windowText(item.hwndItem),
                    buttonColours(button.backColor(), button.enabled(), system), dpi);
  } else {
    faces_.draw(item.hDC, item.rcItem, button.backColor(), button.enabled(), dpi);
  }
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) drawFocusRectangle(item);
}

void WindowPainting::drawFocusRectangle(const DRAWITEMSTRUCT& item) {
  RECT focus = item.rcItem;
  InflateRect(&focus, -3, -3);
  DrawFocusRect(item.hDC, &focus);
}

LRESULT WindowPainting::controlColour(HWND window, HDC dc, HWND control) {
  const Element* element = controls_.elementOf(control);
  if (!element || (element->kind() != ElementKind::Label && element->kind() != ElementKind::TextBox)) {
    return DefWindowProcW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  }
  const auto& coloured = static_cast<const ColouredElement&>(*element);
  const DrawnColours look = textElementColours(coloured.foreColor(), coloured.backColor(), highContrastColours());
  SetTextColor(dc, look.text);
  SetBkColor(dc, look.ground);
  return reinterpret_cast<LRESULT>(brush(look.ground));
}

HBRUSH WindowPainting::brush(Colour colour) {
  auto found = brushes_.find(colour);
  if (found != brushes_.end()) return found->second;
  return brushes_[colour] = CreateSolidBrush(colour);
}

}  // namespace kestrane
