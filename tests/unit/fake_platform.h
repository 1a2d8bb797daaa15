#pragma once

// Stand-ins for the platform, so the window model and its handlers run
// without a screen: a simulated clock for the timers, a view that keeps the
// window's placement and can be told to fail, a recording desktop and an
// in-memory settings store. All of them write what they are asked to do to
// one shared log, and any one of the calls that can fail can be made to.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "error_reporter.h"
#include "event_wiring.h"
#include "settings_store.h"
#include "desktop.h"
#include "kestrane_main.h"

namespace kestrane::testing {

// Every call the program makes on the platform, in order, each with the
// value the platform found stored at that moment:
//   "KESTRANE_ABORT_BUTTON.Enabled = False"    an element shown changed
//   "KESTRANE_EX_1_TIMER started (Enabled = True, Interval = 1000)"
//   "KESTRANE_EX_1_TIMER stopped (Enabled = False, Interval = 1000)"
//   "Window.Left = 1500"                        the frame placed, in twips
//   "Settings.MainLeft = 1500"                  a value saved
//   "ShellExecuteA(4660, runas, KESTRANE.BAT, , , 1)"
//   "reported error 51"                         the user told of an error
//   "closed 0"
// A call that fails is logged as "failed: " and what it would have done.
class PlatformLog {
 public:
  // Logs a call. Throws instead when it is the failable call chosen to fail.
  void record(const std::string& step, bool canFail) {
    if (canFail && failAt && failableCalls++ == *failAt) {
      steps.push_back("failed: " + step);
      throw RuntimeError(RuntimeError::Platform, step + " failed");
    }
    steps.push_back(step);
  }
  // The failable calls from now on are counted from 0; the one numbered
  // index fails.
  void failCall(int index) {
    failAt = index;
    failableCalls = 0;
  }

  std::vector<std::string> steps;

 private:
  std::optional<int> failAt;
  int failableCalls = 0;
};

inline std::string timerStep(const TimerElement& timer, const char* what) {
  return timer.name() + " " + what + " (Enabled = " + (timer.enabled() ? "True" : "False") +
         ", Interval = " + std::to_string(timer.interval()) + ")";
}

// The value of an element's property as the log writes it.
inline std::string shownValue(const Element& element, Property property) {
  if (element.kind() == ElementKind::CommandButton) {
    const auto& button = static_cast<const CommandButton&>(element);
    if (property == Property::Enabled) return button.enabled() ? "True" : "False";
    return std::to_string(button.backColor());
  }
  const auto& coloured = static_cast<const ColouredElement&>(element);
  if (property == Property::BackColor) return std::to_string(coloured.backColor());
  if (property == Property::ForeColor) return std::to_string(coloured.foreColor());
  return coloured.assignedText();
}

inline std::string twipsText(float twips) {
  std::string text = std::to_string(twips);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

// Timers on a simulated clock: advance() fires every due Timer event in
// time order, each through the window's dispatch.
class SimulatedClock : public TimerService {
 public:
  // A start can fail, as the platform's can when it has no timer left; a
  // stop never does.
  void start(const TimerElement& timer, int intervalMs) override {
    // The platform never runs a timer without an interval; here it would
    // fire forever at one instant.
    if (intervalMs <= 0) throw std::logic_error(timer.name() + " started with no interval");
    if (log) log->record(timerStep(timer, "started"), true);
    due_[&timer] = {now_ + intervalMs, intervalMs, nextOrder_++};
  }
  void stop(const TimerElement& timer) override {
    if (log) log->record(timerStep(timer, "stopped"), false);
    due_.erase(&timer);
  }

  void attach(KESTRANE_Main& window) { window_ = &window; }
  long long now() const { return now_; }
  PlatformLog* log = nullptr;
  bool isRunning(const TimerElement& timer) const { return due_.count(&timer) != 0; }

  void advance(long long milliseconds) {
    const long long until = now_ + milliseconds;
    while (true) {
      const TimerElement* next = nullptr;
      for (auto& [timer, entry] : due_) {
        if (entry.at <= until && (!next || std::tie(entry.at, entry.order) <
                                               std::tie(due_[next].at, due_[next].order))) {
          next = timer;
        }
      }
      if (!next) break;
      Entry& entry = due_[next];
      now_ = entry.at;
      entry.at += entry.interval;
      entry.order = nextOrder_++;
      window_->raise(next->name(), Event::Timer);
    }
    now_ = until;
  }

 private:
  struct Entry {
    long long at;
    int interval;
    long long order;
  };
  std::map<const TimerElement*, Entry> due_;
  KESTRANE_Main* window_ = nullptr;
  long long now_ = 0;
  long long nextOrder_ = 0;
};

class FakeView : public WindowView {
 public:
  void elementChanged(const Element& element, Property property) override {
    if (failing_.count({element.name(), property})) {
      throw RuntimeError(RuntimeError::Platform,
                         std::string("Setting ") + propertyName(property) + " of " + element.name() + " failed");
    }
    if (log) log->record(element.name() + "." + propertyName(property) + " = " + shownValue(element, property), true);
    changes.emplace_back(element.name(), property);
    if (whileChanging) whileChanging(element.name(), property);
  }
  std::string readText(const TextBox& box) override {
    return typedText ? *typedText : box.assignedText();
  }
  WindowHandle handle() const override {
    if (handleReadsBeforeFailure && handleReads >= *handleReadsBeforeFailure) {
      throw RuntimeError(RuntimeError::Platform, "Reading hWnd failed");
    }
    ++handleReads;
    return windowHandle;
  }
  float left() const override { return leftTwips; }
  float top() const override { return topTwips; }
  void setLeft(float twips) override {
    if (log) log->record("Window.Left = " + twipsText(twips), true);
    placed.push_back("Left");
    leftTwips = twips;
  }
  void setTop(float twips) override {
    if (log) log->record("Window.Top = " + twipsText(twips), true);
    placed.push_back("Top");
    topTwips = twips;
  }
  void setWidth(float twips) override {
    if (log) log->record("Window.Width = " + twipsText(twips), true);
    placed.push_back("Width");
    widthTwips = twips;
  }
  void setHeight(float twips) override {
    if (log) log->record("Window.Height = " + twipsText(twips), true);
    placed.push_back("Height");
    heightTwips = twips;
  }
  WindowState state() const override { return windowState; }
  double pixels(Extent extent, float twips) const override {
    return twips * (extent == Extent::Position ? systemDpi : windowDpi) / 1440.0;
  }
  void close(int exitCode) override {
    if (log) log->record("closed " + std::to_string(exitCode), false);
    closedWith = exitCode;
    ++closes;
  }

  void failWhenSetting(const std::string& element, Property property) {
    failing_.insert({element, property});
  }

  PlatformLog* log = nullptr;
  WindowHandle windowHandle = 0x1234;
  float leftTwips = 0, topTwips = 0, widthTwips = 0, heightTwips = 0;
  WindowState windowState = WindowState::Normal;
  std::optional<int> handleReadsBeforeFailure;  // reads of hWnd after this many fail
  mutable int handleReads = 0;
  std::optional<int> closedWith;
  int closes = 0;
  unsigned systemDpi = 96, windowDpi = 96;  // positions convert at the first, sizes at the second
  std::function<void(const std::string& element, Property)> whileChanging;  // runs after each change
  std::optional<std::string> typedText;  // what a user typed over the box
  std::vector<std::string> placed;
  std::vector<std::pair<std::string, Property>> changes;

 private:
  std::set<std::pair<std::string, Property>> failing_;
};

class RecordingDesktop : public Desktop {
 public:
  struct Launch {
    WindowHandle owner;
    std::string operation, file, parameters, directory;
    int show;
    long long at;
  };
  struct Placement {
    WindowHandle window, insertAfter;
    int x, y, cx, cy;
    unsigned flags;
  };

  explicit RecordingDesktop(const SimulatedClock& clock) : clock_(clock) {}

  std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& operation, const std::string& file,
                              const std::string& parameters, const std::string& directory,
                              int showCommand) override {
    if (log) {
      log->record("ShellExecuteA(" + std::to_string(owner) + ", " + operation + ", " + file + ", " + parameters +
                      ", " + directory + ", " + std::to_string(showCommand) + ")",
                  false);
    }
    launches.push_back({owner, operation, file, parameters, directory, showCommand, clock_.now()});
    calls.push_back("ShellExecuteA");
    if (whileLaunching) whileLaunching();
    calls.push_back("ShellExecuteA returned");
    return 42;
  }
  WindowHandle GetForegroundWindow() override {
    calls.push_back("GetForegroundWindow");
    if (foregroundSequence.empty()) return foreground;
    WindowHandle next = foregroundSequence.front();
    foregroundSequence.erase(foregroundSequence.begin());
    return next;
  }
  bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                    unsigned flags) override {
    calls.push_back("SetWindowPos");
    placements.push_back({window, insertAfter, x, y, cx, cy, flags});
    return window != 0;
  }
  bool belongsToThisProgram(WindowHandle window) override { return ownWindows.count(window) != 0; }
  std::string classNameOf(WindowHandle window) override {
    auto found = classNames.find(window);
    return found == classNames.end() ? "Notepad" : found->second;
  }

  PlatformLog* log = nullptr;
  WindowHandle foreground = 0;
  std::vector<WindowHandle> foregroundSequence;  // answers before falling back to foreground
  std::vector<Launch> launches;
  std::vector<Placement> placements;
  std::vector<std::string> calls;
  std::set<WindowHandle> ownWindows;     // windows of the program's own process
  std::map<WindowHandle, std::string> classNames;  // any other window is a "Notepad"
  std::function<void()> whileLaunching;  // what the shell lets through while it works

 private:
  const SimulatedClock& clock_;
};

class MemorySettings : public SettingsStore {
 public:
  std::string read(const std::string& application, const std::string& section, const std::string& key,
                   const std::string& defaultText) override {
    auto found = values.find(application + "\\" + section + "\\" + key);
    return found == values.end() ? defaultText : found->second;
  }
  void save(const std::string& application, const std::string& section, const std::string& key,
            const std::string& text) override {
    if (refuseSaves) throw RuntimeError(RuntimeError::SettingsStore, "Cannot save " + key);
    const bool ours = application == "KESTRANE" && section == "Settings";
    if (log) log->record((ours ? "Settings." : application + "\\" + section + "\\") + key + " = " + text, true);
    values[application + "\\" + section + "\\" + key] = text;
  }
  // Keys as the program uses them, under KESTRANE\Settings.
  std::string& operator[](const std::string& key) { return values["KESTRANE\\Settings\\" + key]; }
  bool has(const std::string& key) const { return values.count("KESTRANE\\Settings\\" + key) != 0; }

  PlatformLog* log = nullptr;
  std::map<std::string, std::string> values;
  bool refuseSaves = false;
};

class RecordingErrors : public ErrorReporter {
 public:
  void report(const RuntimeError& error) override {
    if (log) log->record("reported error " + std::to_string(error.number()), false);
    reported.emplace_back(error.number(), error.what());
    if (whileReporting) whileReporting();
  }
  PlatformLog* log = nullptr;
  std::vector<std::pair<int, std::string>> reported;
  std::function<void()> whileReporting;  // what arrives while the user reads the report
};

// A window wired to its handlers on the fakes above, as the program wires it.
struct Program {
  PlatformLog log;
  SimulatedClock clock;
  FakeView view;
  RecordingDesktop desktop{clock};
  MemorySettings settings;
  RecordingErrors errors;
  LoadedWindows loadedWindows;
  KESTRANE_Main main;

  explicit Program(NumberFormat format = {})
      : main(Platform{view, clock, desktop, settings, errors, std::move(format)}, loadedWindows) {
    clock.attach(main);
    wireHandlers(main);
    desktop.ownWindows.insert(view.windowHandle);
    clock.log = &log;
    view.log = &log;
    desktop.log = &log;
    settings.log = &log;
    errors.log = &log;
  }

  std::string box() { return main.textBox("KESTRANE_COUNTDOWN_TEXTBOX").text(); }
  void seconds(double count) { clock.advance(static_cast<long long>(count * 1000)); }
};

}  // namespace kestrane::testing
