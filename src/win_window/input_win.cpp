#include "input_win.h"

#include <windowsx.h>
#include <commctrl.h>

#include "control_ids.h"
#include "element_names.h"
#include "timer_service_win.h"

namespace kestrane {

namespace {

constexpr UINT_PTR clockTimerId = 100;  // keeps the status bar's date and time current

ClickTracker::Target clickTarget(HWND control) { return reinterpret_cast<ClickTracker::Target>(control); }

}  // namespace

void WindowInput::startClock(HWND window) { SetTimer(window, clockTimerId, 1000, nullptr); }

void WindowInput::stopClock(HWND window) { KillTimer(window, clockTimerId); }

bool WindowInput::translateKey(HWND window, const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_CHAR) return false;
  if (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE) return false;
  if (!window || (message.hwnd != window && !IsChild(window, message.hwnd))) return false;
  // Neither key ever reaches a text box; while the button is disabled they do nothing.
  if (message.message == WM_KEYDOWN && model_->isLoaded()) {
    CommandButton& button = model_->commandButton(names::abortButton);
    if (button.enabled()) model_->raise(button, Event::Click);
  }
  return true;
}

void WindowInput::command(int controlId, int notification) {
  if (notification != BN_CLICKED) return;
  const Element& button = model_->element(names::abortButton);
  if (controlId == firstControlId + button.id() && model_->commandButton(names::abortButton).enabled()) {
    model_->raise(button, Event::Click);
  }
}

void WindowInput::timer(UINT_PTR timerId) {
  if (timerId == clockTimerId) {
    controls_.refreshStatusBar();
    return;
  }
  const auto index = static_cast<std::size_t>(timerId - WindowTimers::firstId);
  if (timerId >= WindowTimers::firstId && index < model_->elements().size()) {
    model_->raise(*model_->elements()[index], Event::Timer);
  }
}

// Left presses: a press and release on the same element is its Click; the
// second press of a double-click is its DblClick, and the release after it
// is no further Click.
LRESULT WindowInput::elementMouse(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  // A release is judged before the control sees it: a text box lets go
  // of the mouse then, and losing the mouse ends a press.
  const bool clicked = message == WM_LBUTTONUP && releaseIsClick(control, lParam);
  const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
  onElementMouse(control, message, clicked);  // may end the window: nothing after this
  return result;
}

LRESULT WindowInput::captureChanged(HWND control, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefSubclassProc(control, WM_CAPTURECHANGED, wParam, lParam);
  if (reinterpret_cast<HWND>(lParam) != control) clicks_.forget();
  return result;
}

// Tab moves on to the next control, also out of a multi-line box; Enter
// and Esc belong to the abort button (see translateKey).
LRESULT WindowInput::dialogCode(HWND control, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(control, WM_GETDLGCODE, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
}

bool WindowInput::releaseIsClick(HWND control, LPARAM lParam) {
  RECT client{};
  GetClientRect(control, &client);
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return clicks_.released(PtInRect(&client, at) ? clickTarget(control) : ClickTracker::noElement);
}

void WindowInput::onElementMouse(HWND control, UINT message, bool clicked) {
  const Element* element = controls_.elementOf(control);
  if (!element) return;
  switch (message) {
    case WM_LBUTTONDOWN:
      clicks_.pressed(clickTarget(control));
      // Its release comes back here wherever the pointer is by then.
      if (GetCapture() != control) SetCapture(control);
      break;
    case WM_LBUTTONDBLCLK:
      clicks_.forget();
      model_->raise(*element, Event::DblClick);
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == control) ReleaseCapture();
      if (clicked) model_->raise(*element, Event::Click);
      break;
  }
}

}  // namespace kestrane
