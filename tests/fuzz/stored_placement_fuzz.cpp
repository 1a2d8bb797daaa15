// Feeds the window's stored placement, as anyone's registry may hold it,
// through Load's reading on the stand-in platform of the unit tests, and
// the frame Load places through the move that keeps a window usable on a
// monitor. Aborts (a finding) when a stored text makes Load report an
// error, places a frame no window can have, or gives a position that a save
// and the next start do not bring back, or when the move leaves the window
// unusable.
//
// An input is the four stored texts, one a line: MainLeft, MainTop,
// MainWidth, MainHeight. A missing line is a key never stored; a fifth line
// "," reads them with a comma as the decimal separator. Each input runs at
// three pairs of system and window densities.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "fake_platform.h"
#include "placement.h"
#include "screen_units.h"

namespace kestrane::testing {
namespace {

constexpr const char* keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

struct Densities {
  unsigned system, window;
};
constexpr Densities densities[] = {{96, 96}, {96, 192}, {144, 96}};

// A main monitor with the task bar at the bottom, a smaller one to its
// right and one above and left of it, as work areas in pixels.
const std::vector<ScreenRect> workAreas = {{0, 0, 1920, 1040}, {1920, 0, 3200, 984}, {-1280, -600, 0, 424}};

// The height of a usual caption bar, in pixels.
constexpr int captionHeight = 31;

[[noreturn]] void finding(const char* what, double value) {
  std::fprintf(stderr, "%s (%g)\n", what, value);
  std::abort();
}

std::vector<std::string_view> linesOf(std::string_view input) {
  std::vector<std::string_view> lines;
  while (!input.empty() && lines.size() < 5) {
    const std::size_t end = input.find('\n');
    lines.push_back(input.substr(0, end));
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
  }
  return lines;
}

void checkPlaced(const FakeView& view) {
  const float placed[] = {view.leftTwips, view.topTwips, view.widthTwips, view.heightTwips};
  for (int i = 0; i < 4; ++i) {
    if (!std::isfinite(placed[i])) finding(keys[i], placed[i]);
    const bool size = i >= 2;
    if (size && placed[i] <= 0) finding("a size that is not positive", placed[i]);
    const double pixels = view.pixels(size ? Extent::Size : Extent::Position, placed[i]);
    if (!windowCanHave(pixels)) finding("more pixels than a window can have", pixels);
  }
}

// The frame Load plans, in pixels as the Windows layer makes it from the
// placed twips, is moved before the window first shows so that it is
// usable; after that move it needs no other.
void checkKeptUsable(const FakeView& view) {
  const int left = twipsToPixels(view.leftTwips, view.systemDpi);
  const int top = twipsToPixels(view.topTwips, view.systemDpi);
  const int width = twipsToPixels(view.widthTwips, view.windowDpi);
  const int height = twipsToPixels(view.heightTwips, view.windowDpi);
  WindowOnScreen window;
  window.frame = {left, top, left + width, top + height};
  window.visible = window.frame;
  window.captionBottom = top + captionHeight;
  const auto moveTo = placeToKeepUsable(window, workAreas);
  if (!moveTo) return;
  window.frame = {moveTo->x, moveTo->y, moveTo->x + width, moveTo->y + height};
  window.visible = window.frame;
  window.captionBottom = moveTo->y + captionHeight;
  if (placeToKeepUsable(window, workAreas)) finding("a window moved to be usable is still not", height);
}

// What the window saves at unload, the next start reads back to the whole
// twip it was rounded to.
void checkSavedPositionComesBack(Program& first, const NumberFormat& format, Densities at) {
  first.main.unload();
  Program next(format);
  next.view.systemDpi = at.system;
  next.view.windowDpi = at.window;
  next.settings.values = first.settings.values;
  next.main.load();
  if (next.view.leftTwips != std::round(first.view.leftTwips)) finding("left not read back", next.view.leftTwips);
  if (next.view.topTwips != std::round(first.view.topTwips)) finding("top not read back", next.view.topTwips);
}

void run(std::string_view input) {
  const std::vector<std::string_view> lines = linesOf(input);
  const NumberFormat format{lines.size() == 5 && lines[4] == "," ? "," : "."};
  for (const Densities& at : densities) {
    Program program(format);
    program.view.systemDpi = at.system;
    program.view.windowDpi = at.window;
    for (std::size_t i = 0; i < lines.size() && i < 4; ++i) program.settings[keys[i]] = std::string(lines[i]);
    if (!program.main.load()) finding("Load ended the program", 0);
    if (!program.errors.reported.empty()) finding("Load reported an error", program.errors.reported.front().first);
    checkPlaced(program.view);
    checkKeptUsable(program.view);
    checkSavedPositionComesBack(program, format, at);
  }
}

}  // namespace
}  // namespace kestrane::testing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kestrane::testing::run(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
