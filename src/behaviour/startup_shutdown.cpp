#include "startup_shutdown.h"

#include <cmath>
#include <string>

#include "countdown.h"
#include "element_names.h"
#include "kestrane_main.h"
#include "screen_units.h"
#include "number_text.h"
#include "settings_store.h"

namespace kestrane {

namespace {

// Entries live under the application's title and this section.
constexpr const char* application = "KESTRANE";
constexpr const char* section = "Settings";

constexpr std::int16_t defaultLeft = 1000;
constexpr std::int16_t defaultTop = 1000;
constexpr std::int16_t defaultWidth = 11205;
constexpr std::int16_t defaultHeight = 5970;

// The stored twips under key. A value that is not a usable number (letters,
// empty, beyond a 32-bit float, not positive where a size is read, or more
// pixels than a window can have) gives way to the default, so one bad entry
// never stops the program starting; the next save overwrites it.
float readPlacement(KESTRANE_Main& main, const char* key, std::int16_t defaultValue, Extent extent) {
  const std::string defaultText = std::to_string(defaultValue);
  const std::string stored = main.settings().read(application, section, key, defaultText);
  auto value = textToSingle(stored, main.numberFormat());
  if (!value || (extent == Extent::Size && *value <= 0) || !windowCanHave(main.pixelsOf(extent, *value))) {
    value = textToSingle(defaultText, main.numberFormat());
  }
  if (!value) throw RuntimeError(RuntimeError::TypeMismatch, std::string("Cannot read ") + key);
  return *value;
}

// Saved as a whole number of twips, which the next start reads back to the
// same pixel. A position that is no number at all is not saved: the one
// stored before stays.
void savePosition(KESTRANE_Main& main, const char* key, float twips) {
  if (!std::isfinite(twips)) return;
  main.settings().save(application, section, key, singleToText(std::round(twips), main.numberFormat()));
}

}  // namespace

void loadMain(KESTRANE_Main& main) {
  main.setLeft(readPlacement(main, "MainLeft", defaultLeft, Extent::Position));
  main.setTop(readPlacement(main, "MainTop", defaultTop, Extent::Position));
  main.setWidth(readPlacement(main, "MainWidth", defaultWidth, Extent::Size));
  main.setHeight(readPlacement(main, "MainHeight", defaultHeight, Extent::Size));
  main.timer(names::alwaysOnTopTimer).setEnabled(true);
  main.timer(names::alwaysOnTopTimer).setInterval(1000);
  main.timer(names::countdownTimer).setEnabled(true);
  main.timer(names::countdownTimer).setInterval(1000);
  main.RemainingTime = countdownStartValue();
  main.timer(names::flasherTimer1).setEnabled(true);
  main.timer(names::flasherTimer1).setInterval(1000);
  main.timer(names::flasherTimer2).setEnabled(false);
  main.timer(names::flasherTimer2).setInterval(1000);
}

void unloadMain(KESTRANE_Main& main, std::int16_t& /*cancel: the unload always goes ahead*/) {
  LoadedWindows& loaded = main.loadedWindows();
  for (auto position = static_cast<std::int16_t>(loaded.count() - 1); position >= 1; --position) {
    loaded.unload(position);
  }
  keepPosition(main);
}

void keepPosition(KESTRANE_Main& main) {
  if (main.windowState() == WindowState::Minimised) return;
  savePosition(main, "MainLeft", main.left());
  savePosition(main, "MainTop", main.top());
}

}  // namespace kestrane
