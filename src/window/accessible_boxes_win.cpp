#include "accessible_boxes_win.h"

#include <commctrl.h>

#include <string>

#include "annotations_win.h"
#include "control_ids_win.h"
#include "element_names.h"
#include "text_win.h"

namespace kestrane {

namespace {

constexpr UINT_PTR subclassId = 0x4142;  // "AB"

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

HWND controlOf(HWND window, KESTRANE_Main& model, const char* element) {
  return GetDlgItem(window, firstControlId + model.element(element).id());
}

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

AccessibleBoxes::~AccessibleBoxes() {
  if (countdownBox_ && IsWindow(countdownBox_)) RemoveWindowSubclass(countdownBox_, countdownBoxProc, subclassId);
}

void AccessibleBoxes::attach(HWND window, KESTRANE_Main& model, HINSTANCE instance) {
  for (const BoxName& boxName : boxNames) {
    HWND box = controlOf(window, model, boxName.element);
    if (!box) continue;
    nameBox(window, box, boxName.name, instance);
    SendMessageW(box, EM_SETREADONLY, TRUE, 0);
  }
  countdownBox_ = controlOf(window, model, names::countdownBox);
  if (!countdownBox_) return;
  describeValue();
  SetWindowSubclass(countdownBox_, countdownBoxProc, subclassId, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK AccessibleBoxes::countdownBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                   DWORD_PTR selfPointer) {
  auto* self = reinterpret_cast<AccessibleBoxes*>(selfPointer);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(box, countdownBoxProc, subclassId);
    self->countdownBox_ = nullptr;
    return DefSubclassProc(box, message, wParam, lParam);
  }
  const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
  if (message == WM_SETTEXT && result) self->describeValue();
  return result;
}

}  // namespace kestrane
