#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "element.h"
#include "number_text.h"
#include "runtime_error.h"
#include "timer_service.h"
#include "window_view.h"

namespace kestrane {

class Desktop;
class ErrorReporter;
class SettingsStore;
class KESTRANE_Main;

enum class Event { Click, DblClick, Timer };

using Handler = std::function<void(KESTRANE_Main&)>;
using UnloadHandler = std::function<void(KESTRANE_Main&, std::int16_t& cancel)>;

// Everything the window reaches outside itself.
struct Platform {
  WindowView& view;
  TimerService& timers;
  Desktop& desktop;
  SettingsStore& settings;
  ErrorReporter& errors;
  NumberFormat numberFormat;
};

// The application's list of loaded windows, in the order they were loaded.
class LoadedWindows {
 public:
  std::int16_t count() const { return static_cast<std::int16_t>(windows_.size()); }
  void add(KESTRANE_Main& window) { windows_.push_back(&window); }
  void remove(const KESTRANE_Main& window);
  void unload(std::int16_t position);

 private:
  std::vector<KESTRANE_Main*> windows_;
};

// The main window as a model: its seventeen named elements, RemainingTime,
// and the dispatch of events to handlers. A failing step inside a handler
// ends it and, once the error reporter has shown the error, the program.
class KESTRANE_Main : private ElementOwner {
 public:
  KESTRANE_Main(Platform platform, LoadedWindows& loadedWindows);
  ~KESTRANE_Main();

  // Element access by name; a name of another kind is a run-time error.
  Element& element(std::string_view name);
  Label& label(std::string_view name);
  TextBox& textBox(std::string_view name);
  CommandButton& commandButton(std::string_view name);
  TimerElement& timer(std::string_view name);
  const std::vector<std::unique_ptr<Element>>& elements() const { return elements_; }

  // The time left on the countdown, as a date-and-time value (days).
  double RemainingTime = 0.0;

  // Window properties, in twips for the placement.
  WindowHandle hWnd() const { return view_.handle(); }
  float left() const { return view_.left(); }
  float top() const { return view_.top(); }
  void setLeft(float twips) { view_.setLeft(twips); }
  void setTop(float twips) { view_.setTop(twips); }
  void setWidth(float twips) { view_.setWidth(twips); }
  void setHeight(float twips) { view_.setHeight(twips); }
  WindowState windowState() const { return view_.state(); }
  double pixelsOf(Extent extent, float twips) const { return view_.pixels(extent, twips); }

  Desktop& desktop() { return desktop_; }
  SettingsStore& settings() { return settings_; }
  const NumberFormat& numberFormat() const { return numberFormat_; }
  LoadedWindows& loadedWindows() { return loadedWindows_; }

  // Handler wiring.
  void on(std::string_view elementName, Event event, Handler handler);
  void onLoad(Handler handler) { loadHandler_ = std::move(handler); }
  void onUnload(UnloadHandler handler) { unloadHandler_ = std::move(handler); }
  // What must be kept before the user's session ends (the position), when
  // there is no time left to wait for a running handler.
  void onSessionEnd(Handler handler) { sessionEndHandler_ = std::move(handler); }

  // Runs Load; false when it failed and the program is ending.
  bool load();
  // Delivers an element's event to its handler, if the window still lives.
  // Handlers run one at a time, each to its end: an event that comes while
  // one runs waits until it has ended, except a timer's, which is dropped.
  void raise(std::string_view elementName, Event event);
  void raise(const Element& element, Event event) { raise(element.name(), event); }
  // Runs Unload and, unless it cancels, closes the window.
  void unload();
  // The user or another program closes the window: it unloads now or, while
  // a handler runs, once that handler has ended.
  void requestUnload();
  // The user's session ends: the program may be ended at any moment once
  // the platform has been answered. While a handler runs, the session-end
  // handler runs now, beside it; then the unload is requested as for a
  // close. From here on no failure is reported: nobody is left to read it,
  // and a report would hold up the log-off.
  void endSession();

  bool isLoaded() const { return loaded_; }
  // The exit code the program ends with: 0, or 1 after a run-time error.
  int exitCode() const { return exitCode_; }

 private:
  void elementChanged(const Element& element, Property property) override;
  std::string currentText(const TextBox& box) override;
  void timerChanged(const TimerElement& timer, bool wasRunning) override;

  template <class Kind>
  Kind& elementOfKind(std::string_view name, ElementKind kind);
  void run(const Handler& handler);
  // Runs Unload, if it has a handler, with its cancel flag; true when the
  // handler cancelled. A failure in it is thrown on.
  bool runUnload();
  void deliverWaiting();
  void fail(const RuntimeError& error);
  void end(int exitCode);
  void stopAllTimers();

  WindowView& view_;
  TimerService& timers_;
  Desktop& desktop_;
  SettingsStore& settings_;
  ErrorReporter& errors_;
  NumberFormat numberFormat_;
  LoadedWindows& loadedWindows_;

  std::vector<std::unique_ptr<Element>> elements_;
  std::map<std::pair<std::string, Event>, Handler> handlers_;
  Handler loadHandler_;
  UnloadHandler unloadHandler_;
  Handler sessionEndHandler_;
  bool loaded_ = false;
  enum class Stage { Loading, Running, Unloading } stage_ = Stage::Loading;
  bool handlerRunning_ = false;
  bool sessionEnding_ = false;
  std::deque<std::function<void()>> waiting_;  // events that came while a handler ran
  int exitCode_ = 0;
};

}  // namespace kestrane
