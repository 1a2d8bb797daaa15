#pragma once

#include "element_controls_win.h"
#include "input.h"
#include "kestrane_main.h"
#include "win32.h"

namespace kestrane {

// The user's input turned into the elements' events: left presses on the
// labels and text boxes into Click and DblClick, Enter and Esc and the
// button's own click into the abort button's Click, and the window timers'
// beats into the timers' Timer events. It also keeps the status bar's
// clock going.
class WindowInput {
 public:
  explicit WindowInput(ElementControls& controls) : controls_(controls) {}
  WindowInput(const WindowInput&) = delete;
  WindowInput& operator=(const WindowInput&) = delete;

  // The model the events go to.
  void serve(KESTRANE_Main& model) { model_ = &model; }
  // The status bar's clock, from the window's creation to its destruction.
  void startClock(HWND window);
  void stopClock(HWND window);

  // Enter and Esc belong to the abort button while the window is active.
  bool translateKey(HWND window, const MSG& message);
  // WM_COMMAND.
  void command(int controlId, int notification);
  // WM_TIMER.
  void timer(UINT_PTR timerId);

  // A left press or release on the window's background, which is no element.
  void forgetPress() { clicks_.forget(); }

  // The labels' and text boxes' own messages, each answered for the control:
  // WM_LBUTTONDOWN, WM_LBUTTONUP and WM_LBUTTONDBLCLK;
  LRESULT elementMouse(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
  // WM_CAPTURECHANGED, which ends a press;
  LRESULT captureChanged(HWND control, WPARAM wParam, LPARAM lParam);
  // WM_GETDLGCODE: Tab leaves the control, Enter and Esc are the button's.
  static LRESULT dialogCode(HWND control, WPARAM wParam, LPARAM lParam);

 private:
  bool releaseIsClick(HWND control, LPARAM lParam);
  void onElementMouse(HWND control, UINT message, bool clicked);

  ElementControls& controls_;
  KESTRANE_Main* model_ = nullptr;
  ClickTracker clicks_;  // which element a left press began on
};

}  // namespace kestrane
