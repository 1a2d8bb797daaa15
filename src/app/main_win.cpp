// The program: the main window is its start-up object. It is created with
// its elements, runs Load, is shown, and the program ends when it is gone.

#include "../window/win32.h"

#include <commctrl.h>
#include <objbase.h>

#include "../desktop/desktop_win.h"
#include "../window/accessible_boxes_win.h"
#include "../window/button_faces_win.h"
#include "../window/high_contrast_win.h"
#include "../window/live_region_win.h"
#include "../window/main_window_win.h"
#include "../window/resume_menus_win.h"
#include "../window/text_win.h"
#include "event_wiring.h"
#include "message_box_errors_win.h"
#include "registry_settings_win.h"

namespace {

// The user's decimal separator, for the stored placement's texts.
kestrane::NumberFormat userNumberFormat() {
  wchar_t separator[8] = {};
  kestrane::NumberFormat format;
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 1) {
    format.decimalSeparator = kestrane::toUtf8(separator);
  }
  return format;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  using namespace kestrane;

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // The shell launch and the picture decoder both want COM on this thread.
  const bool comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));

  WindowTimers timers;
  WindowsDesktop desktop;
  RegistrySettings settings;
  MessageBoxErrors errors;
  ButtonFaces faces;
  faces.load(instance);
  LoadedWindows loadedWindows;

  int exitCode = 1;
  {
    MainWindow window(instance, timers, faces);
    KESTRANE_Main main(Platform{window, timers, desktop, settings, errors, userNumberFormat()}, loadedWindows);
    LiveRegion liveRegion;
    wireHandlers(main, &liveRegion);
    AccessibleBoxes accessibleBoxes;
    ResumeMenus resumeMenus;
    HighContrastWatch highContrast;

    if (window.create(main)) {
      errors.setOwner(window.hwnd());
      accessibleBoxes.attach(window.hwnd(), main, instance);
      resumeMenus.attach(window.hwnd(), main);
      highContrast.attach(window.hwnd());
      liveRegion.attach(window.hwnd(), instance);
      if (main.load()) window.show(showCommand);

      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.translateKey(message)) continue;
        if (window.hwnd() && IsDialogMessageW(window.hwnd(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      exitCode = static_cast<int>(message.wParam);
    }
  }
  if (comReady) CoUninitialize();
  return exitCode;
}
