// The program: the main window is its start-up object. It is created with
// its elements, runs Load, is shown, and the program ends when it is gone.

#include "../window/win32.h"

#include <commctrl.h>

#include "../desktop/com_on_demand_win.h"
#include "../desktop/desktop_win.h"
#include "../window/accessible_boxes_win.h"
#include "../window/button_faces_win.h"
#include "../window/high_contrast_win.h"
#include "../window/live_region_win.h"
#include "../window/main_window_win.h"
#include "../window/resume_menus_win.h"
#include "../window/system_libraries_win.h"
#include "../window/text_win.h"
#include "event_wiring.h"
#include "message_box_errors_win.h"
#include "one_countdown_per_folder_win.h"
#include "registry_settings_win.h"

#ifdef KESTRANE_FAILING_VIEW
#include "failing_view.h"  // the end-to-end tests' build only
#endif

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
  // Before anything can load a DLL: none may come from beside the program.
  loadLibrariesOnlyFromSystemFolder();
  // A countdown from this folder is running: it is brought forward and
  // stays the only one that will run this folder's batch file.
  OneCountdownPerFolder oneCountdown;
  if (!oneCountdown.claim()) return 0;

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // COM starts on this thread only if picture scaling or an accessibility
  // client needs it (the launch has its own thread and apartment); it
  // ends here, after everything that may hold a COM object is gone.
  struct ComStoppedLast {
    ~ComStoppedLast() { com::stop(); }
  } comStoppedLast;

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
#ifdef KESTRANE_FAILING_VIEW
    FailingView view(window);
#else
    WindowView& view = window;
#endif
    KESTRANE_Main main(Platform{view, timers, desktop, settings, errors, userNumberFormat()}, loadedWindows);
    LiveRegion liveRegion;
    wireHandlers(main, &liveRegion);
    AccessibleBoxes accessibleBoxes;
    ResumeMenus resumeMenus;
    HighContrastWatch highContrast;

    if (window.create(main)) {
      oneCountdown.publish(window.hwnd());
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
      // A reported run-time error ends the program with its code, whatever
      // else ended the message loop.
      exitCode = main.exitCode() != 0 ? main.exitCode() : static_cast<int>(message.wParam);
      oneCountdown.publish(nullptr);
    }
  }
  return exitCode;
}
