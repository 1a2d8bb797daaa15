#include "resume_menus_win.h"

#include <windowsx.h>
#include <commctrl.h>

#include "control_ids_win.h"
#include "element_names.h"

namespace kestrane {

namespace {

constexpr UINT_PTR subclassId = 0x524d;  // "RM"

// Command ids; those in the system menu keep their low four bits clear.
constexpr UINT continueCommand = 0x0110;
constexpr UINT restartCommand = 0x0120;

// The system menu already uses C (Close) and R (Restore); there the same
// items take access keys of their own so one key press chooses them.
constexpr wchar_t continueItem[] = L"&Continue countdown";
constexpr wchar_t restartItem[] = L"&Restart from 31 seconds";
constexpr wchar_t continueSystemItem[] = L"C&ontinue countdown";
constexpr wchar_t restartSystemItem[] = L"Restart from &31 seconds";

void subclass(HWND control, SUBCLASSPROC proc, void* self) {
  if (control) SetWindowSubclass(control, proc, subclassId, reinterpret_cast<DWORD_PTR>(self));
}

void unsubclass(HWND control, SUBCLASSPROC proc) {
  if (control && IsWindow(control)) RemoveWindowSubclass(control, proc, subclassId);
}

}  // namespace

ResumeMenus::~ResumeMenus() {
  unsubclass(countdownBox_, elementProc);
  unsubclass(message_, elementProc);
  unsubclass(window_, windowProc);
}

void ResumeMenus::attach(HWND window, KESTRANE_Main& model) {
  window_ = window;
  model_ = &model;
  countdownBox_ = GetDlgItem(window, firstControlId + model.element(names::countdownBox).id());
  message_ = GetDlgItem(window, firstControlId + model.element(names::countdownMessage).id());
  subclass(countdownBox_, elementProc, this);
  subclass(message_, elementProc, this);
  subclass(window_, windowProc, this);

  HMENU systemMenu = GetSystemMenu(window, FALSE);
  if (systemMenu) {
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, continueCommand, continueSystemItem);
    AppendMenuW(systemMenu, MF_STRING, restartCommand, restartSystemItem);
  }
}

const char* ResumeMenus::elementOf(HWND control) const {
  if (control == countdownBox_) return names::countdownBox;
  if (control == message_) return names::countdownMessage;
  return nullptr;
}

// The element's own handlers, as its mouse gestures raise them.
void ResumeMenus::run(const char* element, UINT command) {
  if (command == continueCommand) model_->raise(element, Event::Click);
  if (command == restartCommand) model_->raise(element, Event::DblClick);
}

void ResumeMenus::showContextMenu(HWND control, LPARAM at) {
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (point.x == -1 && point.y == -1) {  // from the keyboard: beside the element
    RECT rect{};
    GetWindowRect(control, &rect);
    point = {rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2};
  }
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  AppendMenuW(menu, MF_STRING, continueCommand, continueItem);
  AppendMenuW(menu, MF_STRING, restartCommand, restartItem);
  // The timers go on while the menu is open; the countdown may end the
  // window meanwhile, and then raise() does nothing.
  const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
      menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, point.x, point.y,
      window_, nullptr));
  DestroyMenu(menu);
  if (const char* element = elementOf(control)) run(element, chosen);
}

LRESULT CALLBACK ResumeMenus::elementProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR selfPointer) {
  auto* self = reinterpret_cast<ResumeMenus*>(selfPointer);
  switch (message) {
    case WM_CONTEXTMENU:
      self->showContextMenu(control, lParam);
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(control, elementProc, subclassId);
      if (control == self->countdownBox_) self->countdownBox_ = nullptr;
      if (control == self->message_) self->message_ = nullptr;
      break;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

LRESULT CALLBACK ResumeMenus::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR selfPointer) {
  auto* self = reinterpret_cast<ResumeMenus*>(selfPointer);
  switch (message) {
    case WM_SYSCOMMAND: {
      const UINT command = static_cast<UINT>(wParam & 0xFFF0);
      if (command == continueCommand || command == restartCommand) {
        self->run(names::countdownBox, command);
        return 0;
      }
      break;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, windowProc, subclassId);
      self->window_ = nullptr;
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace kestrane
