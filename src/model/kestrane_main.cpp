#include "kestrane_main.h"

#include <algorithm>

#include "error_reporter.h"
#include "element_table.h"

namespace kestrane {

namespace {

std::unique_ptr<Element> makeElement(ElementOwner& owner, int id, const InitialElement& initial) {
  switch (initial.kind) {
    case ElementKind::Label:
      return std::make_unique<Label>(owner, id, initial.name, initial.text, initial.backColor, initial.foreColor);
    case ElementKind::TextBox:
      return std::make_unique<TextBox>(owner, id, initial.name, initial.text, initial.backColor, initial.foreColor);
    case ElementKind::CommandButton:
      return std::make_unique<CommandButton>(owner, id, initial.name, initial.backColor);
    case ElementKind::Timer:
      return std::make_unique<TimerElement>(owner, id, initial.name);
    case ElementKind::Line:
    case ElementKind::StatusBar:
      break;
  }
  return std::make_unique<FixedElement>(owner, id, initial.name, initial.kind);
}

}  // namespace

void LoadedWindows::remove(const KESTRANE_Main& window) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
}

void LoadedWindows::unload(std::int16_t position) {
  if (position < 0 || position >= count()) {
    throw RuntimeError(RuntimeError::InvalidProcedureCall, "No loaded window at that position");
  }
  windows_[static_cast<std::size_t>(position)]->unload();
}

KESTRANE_Main::KESTRANE_Main(Platform platform, LoadedWindows& loadedWindows)
    : view_(platform.view),
      timers_(platform.timers),
      desktop_(platform.desktop),
      settings_(platform.settings),
      errors_(platform.errors),
      numberFormat_(std::move(platform.numberFormat)),
      loadedWindows_(loadedWindows) {
  ElementOwner& owner = *this;
  int id = 0;
  for (const InitialElement& initial : elementTable) {
    elements_.push_back(makeElement(owner, id++, initial));
  }
}

KESTRANE_Main::~KESTRANE_Main() { loadedWindows_.remove(*this); }

Element& KESTRANE_Main::element(std::string_view name) {
  for (auto& element : elements_) {
    if (element->name() == name) return *element;
  }
  throw RuntimeError(RuntimeError::ObjectRequired,
                     "The window has no element named " + std::string(name));
}

template <class Kind>
Kind& KESTRANE_Main::elementOfKind(std::string_view name, ElementKind kind) {
  Element& found = element(name);
  if (found.kind() != kind) {
    throw RuntimeError(RuntimeError::TypeMismatch,
                       "Element " + found.name() + " is not of the kind asked for");
  }
  return static_cast<Kind&>(found);
}

Label& KESTRANE_Main::label(std::string_view name) {
  return elementOfKind<Label>(name, ElementKind::Label);
}
TextBox& KESTRANE_Main::textBox(std::string_view name) {
  return elementOfKind<TextBox>(name, ElementKind::TextBox);
}
CommandButton& KESTRANE_Main::commandButton(std::string_view name) {
  return elementOfKind<CommandButton>(name, ElementKind::CommandButton);
}
TimerElement& KESTRANE_Main::timer(std::string_view name) {
  return elementOfKind<TimerElement>(name, ElementKind::Timer);
}

void KESTRANE_Main::on(std::string_view elementName, Event event, Handler handler) {
  handlers_[{std::string(elementName), event}] = std::move(handler);
}

namespace {

// Marks a handler as running for as long as it lasts.
class HandlerScope {
 public:
  explicit HandlerScope(bool& running) : running_(running), was_(running) { running_ = true; }
  ~HandlerScope() { running_ = was_; }
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

 private:
  bool& running_;
  bool was_;
};

}  // namespace

bool KESTRANE_Main::load() {
  loaded_ = true;
  stage_ = Stage::Loading;
  loadedWindows_.add(*this);
  if (loadHandler_) run(loadHandler_);
  if (loaded_) stage_ = Stage::Running;
  return loaded_;
}

void KESTRANE_Main::raise(std::string_view elementName, Event event) {
  if (!loaded_) return;
  auto found = handlers_.find({std::string(elementName), event});
  if (found == handlers_.end()) return;
  // Stopping a timer does not take back a beat already on its way: one that
  // arrives for a timer that is off now runs nothing.
  if (event == Event::Timer && !timer(elementName).running()) return;
  if (handlerRunning_) {
    // A platform call inside a handler (the shell's launch) can let events
    // through. A timer's beat that comes then is dropped; anything else
    // waits until the handler has ended.
    if (event != Event::Timer) {
      waiting_.push_back([this, name = std::string(elementName), event] { raise(name, event); });
    }
    return;
  }
  run(found->second);
}

void KESTRANE_Main::unload() {
  if (!loaded_) return;
  bool cancelled = false;
  try {
    cancelled = runUnload();
  } catch (const RuntimeError& error) {
    fail(error);
    return;
  }
  if (cancelled) {
    stage_ = Stage::Running;
    return;
  }
  end(0);
}

bool KESTRANE_Main::runUnload() {
  stage_ = Stage::Unloading;
  if (!unloadHandler_) return false;
  HandlerScope running(handlerRunning_);
  std::int16_t cancel = 0;
  unloadHandler_(*this, cancel);
  return cancel != 0;
}

void KESTRANE_Main::requestUnload() {
  if (!loaded_) return;
  if (handlerRunning_) {
    waiting_.push_back([this] { unload(); });
    return;
  }
  unload();
  deliverWaiting();
}

void KESTRANE_Main::endSession() {
  if (!loaded_) return;
  sessionEnding_ = true;
  // With no handler running the unload runs at once and keeps the position
  // itself; a running one may never end before the process does.
  if (handlerRunning_ && sessionEndHandler_) {
    try {
      sessionEndHandler_(*this);
    } catch (const RuntimeError&) {
      // Kept or not, the session ends; the unload that may follow tries again.
    }
  }
  requestUnload();
}

void KESTRANE_Main::run(const Handler& handler) {
  {
    HandlerScope running(handlerRunning_);
    try {
      handler(*this);
    } catch (const RuntimeError& error) {
      fail(error);
    }
  }
  deliverWaiting();
}

void KESTRANE_Main::deliverWaiting() {
  while (!handlerRunning_ && !waiting_.empty()) {
    auto next = std::move(waiting_.front());
    waiting_.pop_front();
    if (loaded_) next();
  }
}

void KESTRANE_Main::fail(const RuntimeError& error) {
  if (!loaded_) return;
  // Nothing may run while the user reads the report, and nothing that
  // arrives meanwhile changes how the program ends.
  const bool unloadAfterReport = stage_ == Stage::Running;
  stopAllTimers();
  loaded_ = false;
  waiting_.clear();
  exitCode_ = 1;
  if (!sessionEnding_) errors_.report(error);
  // Then the window unloads as it would on any close, keeping its position
  // for the next start; a second failure there is not reported again.
  if (unloadAfterReport) {
    try {
      runUnload();
    } catch (const RuntimeError&) {
    }
  }
  end(1);
}

void KESTRANE_Main::stopAllTimers() {
  for (auto& element : elements_) {
    if (element->kind() == ElementKind::Timer) timers_.stop(static_cast<TimerElement&>(*element));
  }
}

void KESTRANE_Main::end(int exitCode) {
  stopAllTimers();
  loaded_ = false;
  exitCode_ = exitCode;
  loadedWindows_.remove(*this);
  view_.close(exitCode);
}

void KESTRANE_Main::elementChanged(const Element& element, Property property) {
  view_.elementChanged(element, property);
}

std::string KESTRANE_Main::currentText(const TextBox& box) { return view_.readText(box); }

void KESTRANE_Main::timerChanged(const TimerElement& timer, bool wasRunning) {
  if (timer.running()) {
    timers_.start(timer, timer.interval());
  } else if (wasRunning) {
    timers_.stop(timer);
  }
}

}  // namespace kestrane
