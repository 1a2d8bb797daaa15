#include "program_win.h"

#include <commctrl.h>

#include "button_faces_win.h"
#include "com_on_demand_win.h"
#include "error_reporter_win.h"
#include "event_wiring.h"
#include "main_window_win.h"
#include "one_countdown_per_folder_win.h"
#include "settings_store_win.h"
#include "system_libraries_win.h"
#include "text_win.h"

namespace kestrane {

namespace {

// The user's decimal separator, for the stored placement's texts.
NumberFormat userNumberFormat() {
  wchar_t separator[8] = {};
  NumberFormat format;
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 1) {
    format.decimalSeparator = toUtf8(separator);
  }
  return format;
}

}  // namespace

int runProgram(HINSTANCE instance, int showCommand, const ProgramParts& parts) {
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
  WindowsDesktop desktop(parts.shellLaunch);
  RegistrySettings settings;
  MessageBoxErrors errors;
  ButtonFaces faces(instance);
  LoadedWindows loadedWindows;

  int exitCode = 1;
  {
    MainWindow window(instance, timers, faces);
    WindowView& view = parts.viewAround ? parts.viewAround(window) : window;
    KESTRANE_Main main(Platform{view, timers, desktop, settings, errors, userNumberFormat()}, loadedWindows);
    wireHandlers(main, &window.announcer());

    if (window.create(main)) {
      oneCountdown.publish(window.hwnd());
      errors.setOwner(window.hwnd());
      if (main.load()) window.show(showCommand);

      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.translateKey(message)) continue;
        if (window.hwnd() && IsDialogMessageW(window.hwnd(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      // A reported run-time error ends the program with its code, whatever
      // else ended the message loop; then a launch the shell did not take.
      exitCode = main.exitCode() != 0          ? main.exitCode()
                 : desktop.launchExitCode() != 0 ? desktop.launchExitCode()
                                                 : static_cast<int>(message.wParam);
      oneCountdown.publish(nullptr);
    }
  }
  return exitCode;
}

}  // namespace kestrane
