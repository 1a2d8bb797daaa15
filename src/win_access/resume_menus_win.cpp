#include "resume_menus_win.h"

#include <windowsx.h>

#include "element_names.h"

namespace kestrane {

namespace {

// Command ids; those in the system menu keep their low four bits clear.
constexpr UINT continueCommand = 0x0110;
constexpr UINT restartCommand = 0x0120;

// The system menu already uses C (Close) and R (Restore); there the same
// items take access keys of their own so one key press chooses them.
constexpr wchar_t continueItem[] = L"&Continue countdown";
constexpr wchar_t restartItem[] = L"&Restart from 31 seconds";
constexpr wchar_t continueSystemItem[] = L"C&ontinue countdown";
constexpr wchar_t restartSystemItem[] = L"Restart from &31 seconds";

}  // namespace

void ResumeMenus::attach(HWND window, HWND countdownBox, HWND message, KESTRANE_Main& model) {
  window_ = window;
  countdownBox_ = countdownBox;
  message_ = message;
  model_ = &model;
  HMENU systemMenu = GetSystemMenu(window, FALSE);
  if (systemMenu) {
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, continueCommand, continueSystemItem);
    AppendMenuW(systemMenu, MF_STRING, restartCommand, restartSystemItem);
  }
}

void ResumeMenus::forget(HWND window) {
  if (window == countdownBox_) countdownBox_ = nullptr;
  if (window == message_) message_ = nullptr;
  if (window == window_) window_ = nullptr;
}

const char* ResumeMenus::elementOf(HWND control) const {
  if (control && control == countdownBox_) return names::countdownBox;
  if (control && control == message_) return names::countdownMessage;
  return nullptr;
}

// The element's own handlers, as its mouse gestures raise them.
void ResumeMenus::run(const char* element, UINT command) {
  if (command == continueCommand) model_->raise(element, Event::Click);
  if (command == restartCommand) model_->raise(element, Event::DblClick);
}

bool ResumeMenus::showContextMenu(HWND control, LPARAM at) {
  if (!elementOf(control)) return false;
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (point.x == -1 && point.y == -1) {  // from the keyboard: beside the element
    RECT rect{};
    GetWindowRect(control, &rect);
    point = {rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2};
  }
  HMENU menu = CreatePopupMenu();
  if (!menu) return true;
  AppendMenuW(menu, MF_STRING, continueCommand, continueItem);
  AppendMenuW(menu, MF_STRING, restartCommand, restartItem);
  // The timers go on while the menu is open; the countdown may end the
  // window meanwhile, and then raise() does nothing.
  // The menu opens to the right of and below the point, the default.
  const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
      menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, point.x, point.y, window_, nullptr));
  DestroyMenu(menu);
  if (const char* element = elementOf(control)) run(element, chosen);
  return true;
}

bool ResumeMenus::runSystemCommand(WPARAM command) {
  const UINT item = static_cast<UINT>(command & 0xFFF0);
  if (item != continueCommand && item != restartCommand) return false;
  run(names::countdownBox, item);
  return true;
}

}  // namespace kestrane
