#include "accessible_boxes_win.h"

#include <uxtheme.h>

#include <string>

#include "annotations_win.h"
#include "element_names.h"
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

// The theme draws a read-only box's frame in another shade; the boxes keep
// the frame they had when they were editable, so the designed look stays.
// False when there is no theme, whose classic frame is the same either way.
bool paintEditableFrame(HWND box) {
  HTHEME theme = GetWindowTheme(box);
  if (!theme || !(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return false;
  const int state = GetFocus() == box ? editFocusedState : editNormalState;
  RECT frame{};
  GetWindowRect(box, &frame);
  OffsetRect(&frame, -frame.left, -frame.top);
  HDC dc = GetWindowDC(box);
  if (!dc) return false;
  ExcludeClipRect(dc, GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE),
                  frame.right - GetSystemMetrics(SM_CXEDGE), frame.bottom - GetSystemMetrics(SM_CYEDGE));
  if (IsThemeBackgroundPartiallyTransparent(theme, editTextPart, state)) DrawThemeParentBackground(box, dc, &frame);
  DrawThemeBackground(theme, dc, editTextPart, state, &frame, nullptr);
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
  instance_ = instance;
  std::size_t index = 0;
  for (const BoxName& boxName : boxNames) {
    HWND box = controlOf(boxName.element);
    boxes_[index++] = box;
    if (box) SendMessageW(box, EM_SETREADONLY, TRUE, 0);
  }
  countdownBox_ = controlOf(names::countdownBox);
}

bool AccessibleBoxes::isBox(HWND control) const {
  for (HWND box : boxes_) {
    if (box && box == control) return true;
  }
  return false;
}

void AccessibleBoxes::meetFirstClient() {
  clientAsked_ = true;
  for (std::size_t index = 0; index < boxes_.size(); ++index) {
    if (boxes_[index]) nameBox(GetParent(boxes_[index]), boxes_[index], boxNames[index].name, instance_);
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

void AccessibleBoxes::forget(HWND control) {
  for (HWND& known : boxes_) {
    if (known == control) known = nullptr;
  }
  if (control == countdownBox_) countdownBox_ = nullptr;
}

}  // namespace kestrane
