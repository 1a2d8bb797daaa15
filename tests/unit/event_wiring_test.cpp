// Every handler as the exact sequence of platform calls it makes, and what
// is left when any one of those calls fails: exactly the steps before it.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fake_platform.h"

namespace kestrane::testing {
namespace {

// What a window's elements, placement and store hold, by "ELEMENT.Property".
using State = std::map<std::string, std::string>;

State stateOf(Program& program) {
  State state;
  for (const auto& element : program.main.elements()) {
    const std::string& name = element->name();
    switch (element->kind()) {
      case ElementKind::Label:
      case ElementKind::TextBox: {
        const auto& coloured = static_cast<const ColouredElement&>(*element);
        state[name + (element->kind() == ElementKind::Label ? ".Caption" : ".Text")] = coloured.assignedText();
        state[name + ".BackColor"] = std::to_string(coloured.backColor());
        state[name + ".ForeColor"] = std::to_string(coloured.foreColor());
        break;
      }
      case ElementKind::CommandButton: {
        const auto& button = static_cast<const CommandButton&>(*element);
        state[name + ".Enabled"] = button.enabled() ? "True" : "False";
        state[name + ".BackColor"] = std::to_string(button.backColor());
        break;
      }
      case ElementKind::Timer: {
        const auto& timer = static_cast<const TimerElement&>(*element);
        state[name + ".Enabled"] = timer.enabled() ? "True" : "False";
        state[name + ".Interval"] = std::to_string(timer.interval());
        break;
      }
      default:
        break;
    }
  }
  state["RemainingTime"] = std::to_string(std::llround(program.main.RemainingTime * 86400));
  state["Window.Left"] = twipsText(program.view.leftTwips);
  state["Window.Top"] = twipsText(program.view.topTwips);
  state["Window.Width"] = twipsText(program.view.widthTwips);
  state["Window.Height"] = twipsText(program.view.heightTwips);
  for (const auto& [key, value] : program.settings.values) {
    const std::string prefix = "KESTRANE\\Settings\\";
    state[key.rfind(prefix, 0) == 0 ? "Settings." + key.substr(prefix.size()) : key] = value;
  }
  return state;
}

// A handler's expected steps are written as the platform log reads, plus
// "(unseen) X = V" for what changes without any platform call.
constexpr const char* unseen = "(unseen) ";

bool isUnseen(const std::string& step) { return step.rfind(unseen, 0) == 0; }

// The calls that the platform can refuse: showing a change, starting a
// timer, placing the frame and saving a value.
bool canFail(const std::string& step) {
  if (isUnseen(step)) return false;
  if (step.find(" stopped (") != std::string::npos) return false;
  if (step.rfind("ShellExecuteA(", 0) == 0 || step.rfind("closed ", 0) == 0) return false;
  return true;
}

// The state after a step: "X = V" stores V in X; a timer's start or stop
// shows both its properties.
void apply(State& state, std::string step) {
  if (isUnseen(step)) step = step.substr(std::string(unseen).size());
  for (const char* what : {" started (Enabled = ", " stopped (Enabled = "}) {
    const auto at = step.find(what);
    if (at == std::string::npos) continue;
    const std::string timer = step.substr(0, at);
    const std::string rest = step.substr(at + std::string(what).size());  // "True, Interval = 1000)"
    state[timer + ".Enabled"] = rest.substr(0, rest.find(','));
    const std::string interval = rest.substr(rest.find("Interval = ") + 11);
    state[timer + ".Interval"] = interval.substr(0, interval.size() - 1);
    return;
  }
  const auto equals = step.find(" = ");
  if (equals != std::string::npos) state[step.substr(0, equals)] = step.substr(equals + 3);
}

std::vector<std::string> seenSteps(const std::vector<std::string>& steps) {
  std::vector<std::string> seen;
  for (const auto& step : steps) {
    if (!isUnseen(step)) seen.push_back(step);
  }
  return seen;
}

struct HandlerCase {
  const char* name;
  void (*setUp)(Program&);
  void (*act)(Program&);
  std::vector<std::string> steps;
};

void loaded(Program& program) { program.main.load(); }
void countingAfterOneAndAHalfSeconds(Program& program) {
  program.main.load();
  program.seconds(1.5);  // "30" shown, the green phase painted: KESTRANE_EX_2_TIMER is next
}
void pausedAtThirty(Program& program) {
  countingAfterOneAndAHalfSeconds(program);
  program.main.raise("KESTRANE_ABORT_BUTTON", Event::Click);
}
void showingOne(Program& program) {
  program.main.load();
  program.seconds(30.5);
  program.view.leftTwips = 1500;
  program.view.topTwips = 2250;
}

void click(Program& p, const char* element) { p.main.raise(element, Event::Click); }
void doubleClick(Program& p, const char* element) {
  p.main.raise(element, Event::Click);
  p.main.raise(element, Event::DblClick);
}

const std::vector<std::string> pauseSteps = {
    "KESTRANE_ABORT_BUTTON.Enabled = False",
    "KESTRANE_MAIN_COUNTDOWN_TIMER stopped (Enabled = False, Interval = 1000)",
    "KESTRANE_COUNTDOWN_TEXTBOX.BackColor = 255",
    "KESTRANE_COUNTDOWN_TEXTBOX.ForeColor = 0",
    "KESTRANE_COUNTDOWN_MESSAGE.Caption = COUNTDOWN PAUSED...",
    "KESTRANE_EX_2_TIMER stopped (Enabled = False, Interval = 1000)",
    "KESTRANE_EX_POINT_TEXTBOX_LEFT.BackColor = 255",
    "KESTRANE_EX_POINT_TEXTBOX_RIGHT.BackColor = 255",
    "KESTRANE_COUNTDOWN_MESSAGE.BackColor = 255",
    "KESTRANE_EX_POINT_TEXTBOX_LEFT.ForeColor = 0",
    "KESTRANE_EX_POINT_TEXTBOX_RIGHT.ForeColor = 0",
    "KESTRANE_COUNTDOWN_MESSAGE.ForeColor = 0",
    "KESTRANE_ABORT_BUTTON.BackColor = 0",
};

// A click on the box while paused: the button and counting come back, the
// box and the message are repainted, then the button's ground and the flasher.
const std::vector<std::string> continueFromBoxSteps = {
    "KESTRANE_ABORT_BUTTON.Enabled = True",
    "KESTRANE_MAIN_COUNTDOWN_TIMER started (Enabled = True, Interval = 1000)",
    "KESTRANE_COUNTDOWN_TEXTBOX.BackColor = 0",
    "KESTRANE_COUNTDOWN_TEXTBOX.ForeColor = 255",
    "KESTRANE_COUNTDOWN_MESSAGE.BackColor = 0",
    "KESTRANE_COUNTDOWN_MESSAGE.Caption = COUNTDOWN RESUMING...",
    "KESTRANE_ABORT_BUTTON.BackColor = 65280",
    "KESTRANE_EX_1_TIMER started (Enabled = True, Interval = 1000)",
};

// A double-click: the same, with the time set back to 31 seconds between
// the repainting and the button's ground.
const std::vector<std::string> restartSteps = {
    "KESTRANE_ABORT_BUTTON.Enabled = True",
    "KESTRANE_MAIN_COUNTDOWN_TIMER started (Enabled = True, Interval = 1000)",
    "KESTRANE_COUNTDOWN_TEXTBOX.BackColor = 0",
    "KESTRANE_COUNTDOWN_TEXTBOX.ForeColor = 255",
    "KESTRANE_COUNTDOWN_MESSAGE.BackColor = 0",
    "KESTRANE_COUNTDOWN_MESSAGE.Caption = COUNTDOWN RESUMING...",
    "(unseen) RemainingTime = 31",
    "KESTRANE_ABORT_BUTTON.BackColor = 65280",
    "KESTRANE_EX_1_TIMER started (Enabled = True, Interval = 1000)",
};

// Every timer is stopped when the window goes, in the order of the elements.
const std::vector<std::string> stopAllAfterZero = {
    "KESTRANE_MAIN_COUNTDOWN_TIMER stopped (Enabled = False, Interval = 1000)",
    "KESTRANE_EX_1_TIMER stopped (Enabled = True, Interval = 1000)",
    "KESTRANE_EX_2_TIMER stopped (Enabled = False, Interval = 1000)",
    "AlwaysOnTopTimer stopped (Enabled = True, Interval = 1000)",
};

std::vector<std::string> joined(std::vector<std::string> first, const std::vector<std::string>& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

const std::vector<HandlerCase>& handlerCases() {
  static const std::vector<HandlerCase> cases = {
      {"Load",
       [](Program& p) {
         p.settings["MainLeft"] = "1500";
         p.settings["MainTop"] = "2250";
       },
       [](Program& p) { p.main.load(); },
       {
           "Window.Left = 1500",
           "Window.Top = 2250",
           "Window.Width = 11205",
           "Window.Height = 5970",
           "AlwaysOnTopTimer started (Enabled = True, Interval = 1000)",
           "KESTRANE_MAIN_COUNTDOWN_TIMER started (Enabled = True, Interval = 1000)",
           "(unseen) RemainingTime = 31",
           "KESTRANE_EX_1_TIMER started (Enabled = True, Interval = 1000)",
           "(unseen) KESTRANE_EX_2_TIMER.Enabled = False",
           "(unseen) KESTRANE_EX_2_TIMER.Interval = 1000",
       }},
      {"CloseThroughTheFrame",
       [](Program& p) {
         p.main.load();
         p.view.leftTwips = 1500;
         p.view.topTwips = -120;
       },
       [](Program& p) { p.main.unload(); },
       {
           "Settings.MainLeft = 1500",
           "Settings.MainTop = -120",
           "KESTRANE_MAIN_COUNTDOWN_TIMER stopped (Enabled = True, Interval = 1000)",
           "KESTRANE_EX_1_TIMER stopped (Enabled = True, Interval = 1000)",
           "KESTRANE_EX_2_TIMER stopped (Enabled = False, Interval = 1000)",
           "AlwaysOnTopTimer stopped (Enabled = True, Interval = 1000)",
           "closed 0",
       }},
      {"Tick",
       [](Program& p) {
         p.main.load();
         p.seconds(2.5);
       },
       [](Program& p) { p.main.raise("KESTRANE_MAIN_COUNTDOWN_TIMER", Event::Timer); },
       {
           "(unseen) RemainingTime = 28",
           "KESTRANE_COUNTDOWN_TEXTBOX.Text = 28",
       }},
      // At "00": counting stops, the batch file is launched, and only then
      // does the window unload, saving its position.
      {"TickToZero", showingOne,
       [](Program& p) { p.main.raise("KESTRANE_MAIN_COUNTDOWN_TIMER", Event::Timer); },
       joined(
           {
               "(unseen) RemainingTime = 0",
               "KESTRANE_COUNTDOWN_TEXTBOX.Text = 00",
               "KESTRANE_MAIN_COUNTDOWN_TIMER stopped (Enabled = False, Interval = 1000)",
               "ShellExecuteA(4660, runas, KESTRANE.BAT, , , 1)",
               "Settings.MainLeft = 1500",
               "Settings.MainTop = 2250",
           },
           joined(stopAllAfterZero, {"closed 0"}))},
      // Each flasher phase paints the texts, then the grounds, then hands
      // over: the other timer is started before its own is stopped.
      {"FlasherGreenPhase", loaded,
       [](Program& p) { p.main.raise("KESTRANE_EX_1_TIMER", Event::Timer); },
       {
           "KESTRANE_EX_POINT_TEXTBOX_LEFT.ForeColor = 0",
           "KESTRANE_EX_POINT_TEXTBOX_RIGHT.ForeColor = 0",
           "KESTRANE_COUNTDOWN_MESSAGE.ForeColor = 0",
           "KESTRANE_EX_POINT_TEXTBOX_LEFT.BackColor = 65280",
           "KESTRANE_EX_POINT_TEXTBOX_RIGHT.BackColor = 65280",
           "KESTRANE_COUNTDOWN_MESSAGE.BackColor = 65280",
           "KESTRANE_EX_2_TIMER started (Enabled = True, Interval = 1000)",
           "KESTRANE_EX_1_TIMER stopped (Enabled = False, Interval = 1000)",
       }},
      {"FlasherDarkPhase", countingAfterOneAndAHalfSeconds,
       [](Program& p) { p.main.raise("KESTRANE_EX_2_TIMER", Event::Timer); },
       {
           "KESTRANE_EX_POINT_TEXTBOX_LEFT.ForeColor = 65280",
           "KESTRANE_EX_POINT_TEXTBOX_RIGHT.ForeColor = 65280",
           "KESTRANE_COUNTDOWN_MESSAGE.ForeColor = 65280",
           "KESTRANE_EX_POINT_TEXTBOX_LEFT.BackColor = 0",
           "KESTRANE_EX_POINT_TEXTBOX_RIGHT.BackColor = 0",
           "KESTRANE_COUNTDOWN_MESSAGE.BackColor = 0",
           "KESTRANE_EX_1_TIMER started (Enabled = True, Interval = 1000)",
           "KESTRANE_EX_2_TIMER stopped (Enabled = False, Interval = 1000)",
       }},
      {"PauseWhileCounting", countingAfterOneAndAHalfSeconds,
       [](Program& p) { click(p, "KESTRANE_ABORT_BUTTON"); }, pauseSteps},
      {"BoxClickWhilePaused", pausedAtThirty, [](Program& p) { click(p, "KESTRANE_COUNTDOWN_TEXTBOX"); },
       continueFromBoxSteps},
      // While counting, the same click restarts nothing that runs and hands
      // the flasher back to its green phase.
      {"BoxClickWhileCounting", countingAfterOneAndAHalfSeconds,
       [](Program& p) { click(p, "KESTRANE_COUNTDOWN_TEXTBOX"); },
       {
           "KESTRANE_ABORT_BUTTON.Enabled = True",
           "KESTRANE_COUNTDOWN_TEXTBOX.BackColor = 0",
           "KESTRANE_COUNTDOWN_TEXTBOX.ForeColor = 255",
           "KESTRANE_COUNTDOWN_MESSAGE.BackColor = 0",
           "KESTRANE_COUNTDOWN_MESSAGE.Caption = COUNTDOWN RESUMING...",
           "KESTRANE_ABORT_BUTTON.BackColor = 65280",
           "KESTRANE_EX_1_TIMER started (Enabled = True, Interval = 1000)",
           "KESTRANE_EX_2_TIMER stopped (Enabled = False, Interval = 1000)",
       }},
      // The message's click finishes the button first, then starts the
      // timers, then paints the box and itself.
      {"MessageClickWhilePaused", pausedAtThirty, [](Program& p) { click(p, "KESTRANE_COUNTDOWN_MESSAGE"); },
       {
           "KESTRANE_ABORT_BUTTON.Enabled = True",
           "KESTRANE_ABORT_BUTTON.BackColor = 65280",
           "KESTRANE_MAIN_COUNTDOWN_TIMER started (Enabled = True, Interval = 1000)",
           "KESTRANE_EX_1_TIMER started (Enabled = True, Interval = 1000)",
           "KESTRANE_COUNTDOWN_TEXTBOX.BackColor = 0",
           "KESTRANE_COUNTDOWN_TEXTBOX.ForeColor = 255",
           "KESTRANE_COUNTDOWN_MESSAGE.BackColor = 0",
           "KESTRANE_COUNTDOWN_MESSAGE.Caption = COUNTDOWN RESUMING...",
       }},
      // A double-click's first press is a click: its steps come first.
      {"BoxDoubleClickWhilePaused", pausedAtThirty,
       [](Program& p) { doubleClick(p, "KESTRANE_COUNTDOWN_TEXTBOX"); },
       joined(continueFromBoxSteps,
              {
                  "KESTRANE_ABORT_BUTTON.Enabled = True",
                  "KESTRANE_COUNTDOWN_TEXTBOX.BackColor = 0",
                  "KESTRANE_COUNTDOWN_TEXTBOX.ForeColor = 255",
                  "KESTRANE_COUNTDOWN_MESSAGE.BackColor = 0",
                  "KESTRANE_COUNTDOWN_MESSAGE.Caption = COUNTDOWN RESUMING...",
                  "(unseen) RemainingTime = 31",
                  "KESTRANE_ABORT_BUTTON.BackColor = 65280",
              })},
      {"BoxDoubleClickAloneWhilePaused", pausedAtThirty,
       [](Program& p) { p.main.raise("KESTRANE_COUNTDOWN_TEXTBOX", Event::DblClick); }, restartSteps},
      {"MessageDoubleClickAloneWhilePaused", pausedAtThirty,
       [](Program& p) { p.main.raise("KESTRANE_COUNTDOWN_MESSAGE", Event::DblClick); }, restartSteps},
      {"CreatorDoubleClick", loaded, [](Program& p) { p.main.raise("KESTRANE_CREATOR", Event::DblClick); },
       {"KESTRANE_CREATOR.Caption = orwyn402@example.com"}},
  };
  return cases;
}

int failableCount(const HandlerCase& handlerCase) {
  int count = 0;
  for (const auto& step : handlerCase.steps) count += canFail(step) ? 1 : 0;
  return count;
}

// Without a fault: exactly these calls, in this order, each showing the
// value already stored, and the state they describe.
class HandlerSteps : public ::testing::TestWithParam<int> {};

TEST_P(HandlerSteps, RunInOrderShowingEachValueAfterItIsStored) {
  const HandlerCase& handlerCase = handlerCases()[static_cast<std::size_t>(GetParam())];
  Program program;
  handlerCase.setUp(program);
  State expected = stateOf(program);
  program.log.steps.clear();

  handlerCase.act(program);

  EXPECT_EQ(program.log.steps, seenSteps(handlerCase.steps));
  for (const auto& step : handlerCase.steps) apply(expected, step);
  EXPECT_EQ(stateOf(program), expected);
  EXPECT_TRUE(program.errors.reported.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryHandler, HandlerSteps,
                         ::testing::Range(0, static_cast<int>(handlerCases().size())),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(handlerCases()[static_cast<std::size_t>(info.param)].name);
                         });

// A fault at one call: the calls before it stay done, the failing one
// leaves no trace, nothing after it runs, and the program reports the
// error and ends.
struct FaultAt {
  int handlerCase;
  int failableCall;
};

void PrintTo(const FaultAt& fault, std::ostream* out) {
  *out << handlerCases()[static_cast<std::size_t>(fault.handlerCase)].name << ", failable call "
       << fault.failableCall;
}

std::vector<FaultAt> everyFault() {
  std::vector<FaultAt> faults;
  for (int c = 0; c < static_cast<int>(handlerCases().size()); ++c) {
    for (int call = 0; call < failableCount(handlerCases()[static_cast<std::size_t>(c)]); ++call) {
      faults.push_back({c, call});
    }
  }
  return faults;
}

class FailingStep : public ::testing::TestWithParam<FaultAt> {};

TEST_P(FailingStep, LeavesExactlyTheEarlierStepsApplied) {
  const HandlerCase& handlerCase = handlerCases()[static_cast<std::size_t>(GetParam().handlerCase)];
  Program program;
  handlerCase.setUp(program);
  State expected = stateOf(program);
  program.log.steps.clear();
  program.log.failCall(GetParam().failableCall);

  handlerCase.act(program);

  // The steps up to the failing call, with their effects.
  std::vector<std::string> before;
  std::string failing;
  int failable = 0;
  for (const auto& step : handlerCase.steps) {
    if (canFail(step) && failable++ == GetParam().failableCall) {
      failing = step;
      break;
    }
    apply(expected, step);
    if (!isUnseen(step)) before.push_back(step);
  }
  ASSERT_GT(program.log.steps.size(), before.size());
  const std::vector<std::string> done(program.log.steps.begin(),
                                      program.log.steps.begin() + static_cast<long>(before.size()));
  EXPECT_EQ(done, before);
  EXPECT_EQ(program.log.steps[before.size()], "failed: " + failing);
  // Afterwards only the ending: every timer stopped before the user is
  // told, so that nothing runs meanwhile; then the position saved as on any
  // close, unless the step failed while the window was loading or already
  // unloading; and the window closed last.
  const bool failedInLoadOrUnload = std::string(handlerCase.name) == "Load" || failing.rfind("Settings.", 0) == 0;
  const std::vector<std::string> positionSaves =
      failedInLoadOrUnload ? std::vector<std::string>{}
                           : std::vector<std::string>{"Settings.MainLeft = " + twipsText(program.view.leftTwips),
                                                      "Settings.MainTop = " + twipsText(program.view.topTwips)};
  std::vector<std::string> savedAfterReport;
  std::set<std::string> stoppedBeforeReport;
  int reports = 0;
  for (std::size_t i = before.size() + 1; i < program.log.steps.size(); ++i) {
    const std::string& step = program.log.steps[i];
    const auto stopped = step.find(" stopped (");
    if (stopped != std::string::npos) {
      if (reports == 0) stoppedBeforeReport.insert(step.substr(0, stopped));
    } else if (step == "reported error 51") {
      ++reports;
    } else if (step.rfind("Settings.", 0) == 0) {
      EXPECT_EQ(reports, 1) << "the position is saved after the user is told";
      savedAfterReport.push_back(step);
      apply(expected, step);
    } else {
      EXPECT_EQ(step, "closed 1");
      EXPECT_EQ(i, program.log.steps.size() - 1) << "the window closes last";
    }
  }
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(savedAfterReport, positionSaves);
  EXPECT_EQ(stoppedBeforeReport, (std::set<std::string>{"AlwaysOnTopTimer", "KESTRANE_EX_1_TIMER",
                                                         "KESTRANE_EX_2_TIMER", "KESTRANE_MAIN_COUNTDOWN_TIMER"}));
  EXPECT_EQ(program.log.steps.back(), "closed 1");
  EXPECT_EQ(stateOf(program), expected);
  EXPECT_EQ(program.errors.reported.size(), 1u);
  EXPECT_FALSE(program.main.isLoaded());
}

INSTANTIATE_TEST_SUITE_P(EveryCallOfEveryHandler, FailingStep, ::testing::ValuesIn(everyFault()),
                         [](const ::testing::TestParamInfo<FaultAt>& info) {
                           return std::string(handlerCases()[static_cast<std::size_t>(info.param.handlerCase)].name) +
                                  "_call" + std::to_string(info.param.failableCall);
                         });

}  // namespace
}  // namespace kestrane::testing
