#pragma once

#include "kestrane_main.h"
#include "win32.h"

namespace kestrane {

// Continue and restart without a mouse. The countdown box and the message
// each get a context menu (right click, Shift+F10, the Menu key) whose two
// items run that element's Click and DblClick handlers, exactly as a click
// and the second press of a double-click do. The window's system menu
// (Alt+Space) carries the same two items for the countdown box, so they are
// in reach wherever the focus is. No key on its own ever resumes.
class ResumeMenus {
 public:
  ResumeMenus() = default;
  ResumeMenus(const ResumeMenus&) = delete;
  ResumeMenus& operator=(const ResumeMenus&) = delete;
  ~ResumeMenus();

  void attach(HWND window, KESTRANE_Main& model);

 private:
  static LRESULT CALLBACK elementProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self);
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self);
  void showContextMenu(HWND control, LPARAM at);
  const char* elementOf(HWND control) const;
  void run(const char* element, UINT command);

  HWND window_ = nullptr;
  HWND countdownBox_ = nullptr;
  HWND message_ = nullptr;
  KESTRANE_Main* model_ = nullptr;
};

}  // namespace kestrane
