#pragma once

// Stand-ins for the platform, so the window model and its handlers run
// without a screen: a simulated clock for the timers, a view that keeps the
// window's placement and can be told to fail, a recording desktop and an
// in-memory settings store.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/error_reporter.h"
#include "app/event_wiring.h"
#include "app/settings_store.h"
#include "desktop/desktop.h"
#include "window/kestrane_main.h"

namespace kestrane::testing {

// Timers on a simulated clock: advance() fires every due Timer event in
// time order, each through the window's dispatch.
class SimulatedClock : public TimerService {
 public:
  void start(const TimerElement& timer, int intervalMs) override {
    due_[&timer] = {now_ + intervalMs, intervalMs, nextOrder_++};
  }
  void stop(const TimerElement& timer) override { due_.erase(&timer); }

  void attach(KESTRANE_Main& window) { window_ = &window; }
  long long now() const { return now_; }
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
  void setLeft(float twips) override { placed.push_back("Left"); leftTwips = twips; }
  void setTop(float twips) override { placed.push_back("Top"); topTwips = twips; }
  void setWidth(float twips) override { placed.push_back("Width"); widthTwips = twips; }
  void setHeight(float twips) override { placed.push_back("Height"); heightTwips = twips; }
  WindowState state() const override { return windowState; }
  double pixels(Extent extent, float twips) const override {
    return twips * (extent == Extent::Position ? systemDpi : windowDpi) / 1440.0;
  }
  void close(int exitCode) override {
    closedWith = exitCode;
    ++closes;
  }

  void failWhenSetting(const std::string& element, Property property) {
    failing_.insert({element, property});
  }

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

  WindowHandle foreground = 0;
  std::vector<WindowHandle> foregroundSequence;  // answers before falling back to foreground
  std::vector<Launch> launches;
  std::vector<Placement> placements;
  std::vector<std::string> calls;
  std::set<WindowHandle> ownWindows;     // windows of the program's own process
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
    values[application + "\\" + section + "\\" + key] = text;
  }
  // Keys as the program uses them, under KESTRANE\Settings.
  std::string& operator[](const std::string& key) { return values["KESTRANE\\Settings\\" + key]; }
  bool has(const std::string& key) const { return values.count("KESTRANE\\Settings\\" + key) != 0; }

  std::map<std::string, std::string> values;
  bool refuseSaves = false;
};

class RecordingErrors : public ErrorReporter {
 public:
  void report(const RuntimeError& error) override {
    reported.emplace_back(error.number(), error.what());
    if (whileReporting) whileReporting();
  }
  std::vector<std::pair<int, std::string>> reported;
  std::function<void()> whileReporting;  // what arrives while the user reads the report
};

// A window wired to its handlers on the fakes above, as the program wires it.
struct Program {
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
  }

  std::string box() { return main.textBox("KESTRANE_COUNTDOWN_TEXTBOX").text(); }
  void seconds(double count) { clock.advance(static_cast<long long>(count * 1000)); }
};

}  // namespace kestrane::testing
