#include "accessible_boxes_win.h"

#include <uxtheme.h>

#include <string>

#include "annotations_win.h"
#include "dpi_win.h"
#include "element_names.h"
#include "system_libraries_win.h"
#include "text_win.h"

namespace kestrane {

namespace {

// The theme's edit frame and the two states an editable box shows.
constexpr int editTextPart = 1;
constexpr int editNormalState = 1;
constexpr int editFocusedState = 5;

struct BoxName {
  const char* element;
  const wchar_t* name;
};

// The marks only decorate; their names say so rather than borrowing the
// text of whatever label happens to come before them.
constexpr BoxName boxNames[] = {
    {names::countdownBox, L"Seconds left"},
    {names::leftMark, L"Decoration: left exclamation mark"},
    {names::rightMark, L"Decoration: right exclamation mark"},
};

// An invisible static just before box in the window's order: screen readers
// take a box's name from the label that precedes it. Without a tab stop it
// leaves the tab order as it was.
void nameBox(HWND window, HWND box, const wchar_t* name, HINSTANCE instance) {
  HWND label = CreateWindowExW(0, L"STATIC", name, WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, window, nullptr,
                               instance, nullptr);
  if (!label) return;
  HWND before = GetWindow(box, GW_HWNDPREV);
  SetWindowPos(label, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The theme's drawing functions, from the system folder's UxTheme.dll the
// first time a box's frame is drawn; all null where it is missing.
struct ThemeFunctions {
  decltype(&::GetWindowTheme) getWindowTheme = nullptr;
  decltype(&::IsThemeBackgroundPartiallyTransparent) isPartiallyTransparent = nullptr;
  decltype(&::DrawThemeParentBackground) drawParentBackground = nullptr;
  decltype(&::DrawThemeBackground) drawBackground = nullptr;

  bool complete() const { return getWindowTheme && isPartiallyTransparent && drawParentBackground && drawBackground; }
};

const ThemeFunctions& themeFunctions() {
  static const ThemeFunctions functions = [] {
    ThemeFunctions found;
    HMODULE uxtheme = loadSystemLibrary(L"uxtheme.dll");
    found.getWindowTheme = functionOf<decltype(found.getWindowTheme)>(uxtheme, "GetWindowTheme");
    found.isPartiallyTransparent = functionOf<decltype(found.isPartiallyTransparent)>(
        uxtheme, "IsThemeBackgroundPartiallyTransparent");
    found.drawParentBackground =
        functionOf<decltype(found.drawParentBackground)>(uxtheme, "DrawThemeParentBackground");
    found.drawBackground = functionOf<decltype(found.drawBackground)>(uxtheme, "DrawThemeBackground");
    return found;
  }();
  return functions;
}

// The theme draws a read-only box's frame in another shade; the boxes keep
// the frame they had when they were editable, so the designed look stays.
// False when there is no theme, whose classic frame is the same either way.
bool paintEditableFrame(HWND box) {
  const ThemeFunctions& themes = themeFunctions();
  if (!themes.complete()) return false;
  HTHEME theme = themes.getWindowTheme(box);
  if (!theme || !(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return false;
  const int state = GetFocus() == box ? editFocusedState : editNormalState;
  RECT frame{};
  GetWindowRect(box, &frame);
  OffsetRect(&frame, -frame.left, -frame.top);
  HDC dc = GetWindowDC(box);
  if (!dc) return false;
  const UINT dpi = dpiOf(box);
  const int edgeWidth = metricAt(SM_CXEDGE, dpi), edgeHeight = metricAt(SM_CYEDGE, dpi);
  ExcludeClipRect(dc, edgeWidth, edgeHeight, frame.right - edgeWidth, frame.bottom - edgeHeight);
  if (themes.isPartiallyTransparent(theme, editTextPart, state)) themes.drawParentBackground(box, dc, &frame);
  themes.drawBackground(theme, dc, editTextPart, state, &frame, nullptr);
  ReleaseDC(box, dc);
  return true;
}

}  // namespace

// The box holds "--" and a line break until the first tick; a screen reader
// should hear "--", not the break. Digits need no help.
void AccessibleBoxes::describeValue() {
  const std::wstring text = windowText(countdownBox_);
  std::wstring shown;
  for (wchar_t c : text) {
    if (c != L'\r' && c != L'\n') shown += c;
  }
  if (shown != text) {
    valueAnnotated_ = annotations::setValue(countdownBox_, shown);
  } else if (valueAnnotated_) {
    annotations::clearValue(countdownBox_);
    valueAnnotated_ = false;
  }
}

void AccessibleBoxes::attach(const ControlOf& controlOf, HINSTANCE instance) {
  std::size_t index = 0;
  for (const BoxName& boxName : boxNames) {
    HWND box = controlOf(boxName.element);
    boxes_[index++] = box;
    if (!box) continue;
    nameBox(GetParent(box), box, boxName.name, instance);
    SendMessageW(box, EM_SETREADONLY, TRUE, 0);
  }
  countdownBox_ = controlOf(names::countdownBox);
}

bool AccessibleBoxes::isBox(HWND control) const {
  for (HWND box : boxes_) {
    if (box && box == control) return true;
  }
  return false;
}

// The labels name the boxes for clients of the older interface; the
// annotated names reach the newer one's too, where the system offers them.
void AccessibleBoxes::meetFirstClient() {
  clientAsked_ = true;
  for (std::size_t index = 0; index < boxes_.size(); ++index) {
    if (boxes_[index]) annotations::setName(boxes_[index], boxNames[index].name);
  }
  if (countdownBox_) describeValue();
}

// Named and described from the first accessibility client's question on,
// before the client reads the name from the label.
void AccessibleBoxes::clientAsks(HWND control) {
  if (!clientAsked_ && isBox(control)) meetFirstClient();
}

bool AccessibleBoxes::paintFrame(HWND control) { return isBox(control) && paintEditableFrame(control); }

void AccessibleBoxes::textChanged(HWND control) {
  if (control && control == countdownBox_ && clientAsked_) describeValue();
}

// The annotations go before the box does, as the annotation service asks.
void AccessibleBoxes::destroying(HWND control) {
  if (clientAsked_ && isBox(control)) annotations::clearAll(control);
}

void AccessibleBoxes::forget(HWND control) {
  for (HWND& known : boxes_) {
    if (known == control) known = nullptr;
  }
  if (control == countdownBox_) countdownBox_ = nullptr;
}

}  // namespace kestrane
