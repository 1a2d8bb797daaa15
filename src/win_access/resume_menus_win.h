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
//
// The main window passes on the messages these need; nothing here listens
// to a window itself.
class ResumeMenus {
 public:
  ResumeMenus() = default;
  ResumeMenus(const ResumeMenus&) = delete;
  ResumeMenus& operator=(const ResumeMenus&) = delete;

  // Adds the two items to the window's system menu.
  void attach(HWND window, HWND countdownBox, HWND message, KESTRANE_Main& model);

  // WM_CONTEXTMENU on a control: true when it was the box's or the
  // message's, whose menu has then been shown and answered.
  bool showContextMenu(HWND control, LPARAM at);
  // WM_SYSCOMMAND: true when it was one of the two items, now run.
  bool runSystemCommand(WPARAM command);
  // A control or the window is being destroyed.
  void forget(HWND window);

 private:
  const char* elementOf(HWND control) const;
  void run(const char* element, UINT command);

  HWND window_ = nullptr;
  HWND countdownBox_ = nullptr;
  HWND message_ = nullptr;
  KESTRANE_Main* model_ = nullptr;
};

}  // namespace kestrane
