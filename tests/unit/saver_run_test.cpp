// The saver run driven through a fake window system: the order of steps,
// pictures and input, the end after a fault, the password query and its gate.
#include "shell/saver_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <deque>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "lock/encode_password.h"
#include "memory_store.h"
#include "shell/monitors.h"
#include "shell/run_setup.h"
#include "x11/module/saver_loop_measure.h"
#include "sim/body_file.h"

namespace zelor {
namespace {

constexpr double kAU = 1.5e11;
const std::string kBodies = "/data/bodies.zel";

struct FakeBackend : SaverBackend {
  FakeBackend() { canvas.Resize(100, 100); }
  std::int64_t NowMicroseconds() override { return now += tick; }
  Canvas& Picture() override { return canvas; }
  void Present(const std::string& label) override {
    events.push_back("present " + label);
    presentTimes.push_back(now);
    now += presentCostUs;
  }
  void PollInput() override {
    events.push_back("poll");
    pollTimes.push_back(now);
    if (onPoll) onPoll(static_cast<int>(pollTimes.size()));
  }
  void WaitForInput(std::int64_t untilUs) override {
    events.push_back("wait");
    waits.push_back(untilUs - now);
    PollInput();
    now = std::max(now, untilUs);
  }
  bool HasPasswordQuery() const override { return true; }
  // OK with the next answer, or the query's close where it is nullopt.
  void AskPassword(SaverSession& session) override {
    events.push_back("ask");
    if (whileAsked) whileAsked();
    std::optional<std::string> answer = answers.empty() ? std::nullopt : answers.front();
    if (!answers.empty()) answers.pop_front();
    if (answer) {
      session.QueryAnswered(*answer);
      openAfterAnswer = openAfterAnswer || session.QueryOpen();
    } else
      session.QueryClosed();
  }
  void ShowError(const std::string& message) override { errors.push_back(message); }
  bool StoresTheRunsEnd() const override { return storesEnd; }

  std::int64_t now = 0, tick = 100, presentCostUs = 0;
  bool storesEnd = true;
  bool openAfterAnswer = false;  // a window waiting while the query is open would never close
  Canvas canvas;
  std::vector<std::string> events, errors;
  std::vector<std::int64_t> presentTimes, pollTimes, waits;
  std::function<void(int poll)> onPoll;  // the user's input, at the n-th poll
  std::function<void()> whileAsked;      // input that reaches the saver behind the query
  std::deque<std::optional<std::string>> answers;
};

// A sun and a planet in a fresh install's settings (one step a frame), the
// body file in memory.
struct SaverTestRun {
  SaverTestRun() : settings(store, MakeDefaultPaths("/appdata"), kEnglishLocale), session(settings, backend) {
    store.values[kKeyDatei] = kBodies;
    BodyRecord sun, earth;
    sun.Name = "Sonne";
    sun.Mass = 332946;
    earth.Name = "Erde";
    earth.Mass = 1;
    earth.X = kAU;
    earth.Speed = 29800;
    earth.Direction = 90;
    files.files[kBodies] = std::vector<unsigned char>(2 * kBodyRecordSize);
    EncodeBodyRecord(sun, &files.files[kBodies][0]);
    EncodeBodyRecord(earth, &files.files[kBodies][kBodyRecordSize]);
  }
  int Go() { return RunSaver(backend, session, settings, files, {}, 60); }
  // Steps until the given poll, then the user wakes the saver.
  int GoUntilPoll(int last) {
    backend.onPoll = [this, last](int poll) {
      if (poll == last) UserMoves(20);
    };
    return Go();
  }
  void SetBodies(const std::vector<BodyRecord>& records) {
    files.files[kBodies].clear();
    for (const BodyRecord& record : records) {
      files.files[kBodies].resize(files.files[kBodies].size() + kBodyRecordSize);
      EncodeBodyRecord(record, &files.files[kBodies][files.files[kBodies].size() - kBodyRecordSize]);
    }
  }
  // The picture over the monitors, as the front ends lay it.
  void SpreadOver(const std::vector<MonitorArea>& monitors, bool allScreens) {
    FitPicture(backend.canvas, PlaceSaverWindows(monitors, {0, 0, 100, 100}, allScreens));
  }
  // The pointer moves twice, as a user's hand does: the first report only
  // records where it is.
  void UserMoves(int from) {
    session.PointerMoved(from, 10, 100, 100);
    session.PointerMoved(from + 1, 10, 100, 100);
  }

  MemoryStore store;
  Settings settings;
  FakeFileSystem files;
  FakeBackend backend;
  SaverSession session;
};

TEST(SaverRun, StepsComeFirstThenPicturesAtTheDisplaysPaceAndInputAtMostEachMillisecond) {
  SaverTestRun run;
  run.store.values[kKeyTempo] = "0";  // as fast as the machine can
  run.backend.onPoll = [&](int poll) {
    if (poll == 200) run.UserMoves(20);
  };
  EXPECT_EQ(run.Go(), 0);
  EXPECT_EQ(run.backend.events.front(), "present 2");  // one step of 2 days before the first picture
  const std::int64_t elapsed = run.backend.now;
  EXPECT_EQ(run.backend.pollTimes.size(), 200u);
  EXPECT_LE(run.backend.pollTimes.size(), elapsed / 1000 + 1);
  EXPECT_LE(run.backend.presentTimes.size(), elapsed / 16666 + 2);
  EXPECT_GE(run.backend.presentTimes.size(), elapsed / 16666 - 1);
  // The run ends at the poll that woke it: the next look at the clock is the
  // last picture, so no step came between.
  ASSERT_GE(run.backend.events.size(), 2u);
  EXPECT_EQ(run.backend.events[run.backend.events.size() - 2], "poll");
  EXPECT_EQ(run.backend.presentTimes.back() - run.backend.pollTimes.back(), run.backend.tick);
  EXPECT_EQ(run.store.values.count(kKeyBreite), 1u);  // the end of the run was stored
}

// 5 s at 2 days a step: 200 steps a second show 2000 days, a fresh install's
// one step a frame 600, give or take the steps of a frame.
TEST(SaverRun, WithATempoMakesTheStepsDueAndSleepsBetweenFrames) {
  const std::pair<const char*, double> cases[] = {{"200", 2000}, {nullptr, 600}};
  for (const auto& [tempo, expectedDays] : cases) {
    SCOPED_TRACE(tempo ? tempo : "fresh install");
    SaverTestRun run;
    if (tempo) run.store.values[kKeyTempo] = tempo;
    run.backend.onPoll = [&](int) {
      if (run.backend.now >= 5'000'000) run.UserMoves(20);
    };
    EXPECT_EQ(run.Go(), 0);
    const std::string& last = run.backend.events.back();
    ASSERT_EQ(last.rfind("present ", 0), 0u) << last;
    const double days = std::stod(last.substr(8));
    EXPECT_GE(days, expectedDays - 10);
    EXPECT_LE(days, expectedDays + 10);
    // It slept between frames, never less than a frame, and showed each frame.
    ASSERT_FALSE(run.backend.waits.empty());
    EXPECT_GE(*std::min_element(run.backend.waits.begin(), run.backend.waits.end()), 15000);
    EXPECT_LE(run.backend.waits.size(), 5'000'000u / 16666 + 2);
    EXPECT_GE(run.backend.presentTimes.size(), run.backend.waits.size() - 1);
    EXPECT_LE(run.backend.presentTimes.size(), 5'000'000u / 16666 + 2);
  }
}

TEST(SaverRun, AMeasuringLimitEndsTheLoopAndOneBeyondTheClockIsNone) {
  SaverTestRun limited;
  limited.store.values[kKeyTempo] = "0";  // as fast as it goes
  limited.backend.now = 3'600'000'000;    // the clock started an hour before
  SaverLoopMeasure measure(0.05);
  EXPECT_EQ(RunSaver(limited.backend, limited.session, limited.settings, limited.files, {}, 60, &measure), 0);
  EXPECT_NEAR(measure.elapsedSeconds, 0.05, 0.001);
  EXPECT_GT(measure.steps, 100);

  for (const double endless : {1e300, std::numeric_limits<double>::infinity()}) {
    SaverTestRun run;
    run.backend.onPoll = [&](int poll) {
      if (poll == 300) run.UserMoves(20);
    };
    SaverLoopMeasure endlessMeasure(endless);
    EXPECT_EQ(RunSaver(run.backend, run.session, run.settings, run.files, {}, 60, &endlessMeasure), 0);
    EXPECT_EQ(run.backend.pollTimes.size(), 300u) << endless;  // the user ended it
  }
}

// A tempo the machine cannot keep up with: the steps due take longer than a
// frame to make, and the picture still comes at least every other frame (the
// first frame of a batch goes to its steps).
TEST(SaverRun, StepsThatTakeLongerThanAFrameStillShowEveryFrame) {
  SaverTestRun run;
  run.store.values[kKeyTempo] = "1000000";
  run.backend.onPoll = [&](int) {
    if (run.backend.now >= 2'000'000) run.UserMoves(20);
  };
  EXPECT_EQ(run.Go(), 0);
  const auto& times = run.backend.presentTimes;
  ASSERT_GE(times.size(), 2u);
  std::int64_t longest = 0;
  for (std::size_t i = 1; i < times.size(); ++i) longest = std::max(longest, times[i] - times[i - 1]);
  EXPECT_LE(longest, 2 * 16667 + 3 * run.backend.tick);
}

// A measured run counts its steps: the last picture's days are two a step.
TEST(SaverRun, AMeasuredRunCountsEveryStep) {
  SaverTestRun run;
  run.backend.presentCostUs = 1000;
  SaverLoopMeasure measure(0.05);
  EXPECT_EQ(RunSaver(run.backend, run.session, run.settings, run.files, {}, 60, &measure), 0);
  // A picture takes a millisecond to show, give or take the clock's reading.
  EXPECT_NEAR(measure.presentSeconds, measure.presents * 1e-3, measure.presents * 2 * run.backend.tick * 1e-6);
  EXPECT_GT(measure.pollSeconds, 0);
  const std::string& last = run.backend.events.back();
  ASSERT_EQ(last.rfind("present ", 0), 0u) << last;
  EXPECT_EQ(measure.steps * 2, std::stoll(last.substr(8)));
  // And what the backend saw: every picture but the one after the loop, and
  // every poll, those of the sleeps too.
  const auto seen = [](std::size_t n) { return static_cast<std::int64_t>(n); };
  EXPECT_EQ(measure.presents + 1, seen(run.backend.presentTimes.size()));
  EXPECT_EQ(measure.waits, seen(run.backend.waits.size()));
  EXPECT_EQ(measure.polls + measure.waits, seen(run.backend.pollTimes.size()));
  EXPECT_GT(measure.waits, 0);
}

// Marks each whole step among the backend's events.
struct StepMarks : SaverLoopObserver {
  explicit StepMarks(FakeBackend& b) : backend(b) {}
  void Stepped() override { backend.events.push_back("step"); }
  FakeBackend& backend;
};

// 6,000 light bodies in a grid: a step computes 36 million pairs, some pieces
// of the saver's.
std::vector<BodyRecord> Crowd() {
  std::vector<BodyRecord> bodies(6000);
  for (int k = 0; k < 6000; ++k) {
    bodies[k].Mass = 1 + k % 3;
    bodies[k].X = (k % 80 - 40) * 0.01 * kAU;
    bodies[k].Y = (k / 80 - 37) * 0.01 * kAU;
    bodies[k].Color = 0x00FFFFFF - k;
  }
  return bodies;
}

// A long step goes in pieces with a look at the input between them, at least
// every 50 ms on a slow clock. A session that ends in the middle of a step
// keeps the last whole one: its picture, and its bodies in the results.
TEST(SaverRun, InputIsLookedAtInTheMiddleOfALongStepAndAnEndThereKeepsTheLastWholeStep) {
  const auto prepare = [](SaverTestRun& run) {
    run.store.values[kKeyTempo] = "0";
    run.store.values[kKeyNaeherung] = "False";  // every pair: the longest step
    run.store.values[kKeySaveResults] = "True";
    run.store.values[kKeyResultsPath] = "/data/ergebnis.zel";
    run.SetBodies(Crowd());
  };
  SaverTestRun run;
  prepare(run);
  run.backend.tick = 10'000;  // each look at the clock 10 ms later
  // The user wakes it at the second look at the input after the first step
  // (a loop that looks only between steps is woken after the second).
  run.backend.onPoll = [&](int) {
    const std::vector<std::string>& events = run.backend.events;
    const auto sinceStep = std::find(events.rbegin(), events.rend(), "step");
    if (std::count(events.begin(), events.end(), "step") >= 2 ||
        (sinceStep != events.rend() && std::count(events.rbegin(), sinceStep, "poll") == 2))
      run.UserMoves(20);
  };
  StepMarks marks(run.backend);
  ASSERT_EQ(RunSaver(run.backend, run.session, run.settings, run.files, {}, 60, &marks), 0);
  const std::vector<std::string>& events = run.backend.events;
  const auto firstStep = std::find(events.begin(), events.end(), "step");
  ASSERT_NE(firstStep, events.end());
  EXPECT_GE(std::count(events.begin(), firstStep, "poll"), 2);  // in the middle of the first step
  EXPECT_FALSE(run.session.Running());
  for (std::size_t i = 1; i < run.backend.pollTimes.size(); ++i)
    EXPECT_LE(run.backend.pollTimes[i] - run.backend.pollTimes[i - 1], 50'000) << "look " << i;

  SaverTestRun oneStep;
  prepare(oneStep);
  SimState state;
  StartRun(state, oneStep.settings, oneStep.files, oneStep.backend.canvas, {});
  SimStep(state, oneStep.backend.canvas);
  FinishRun(state, oneStep.settings, oneStep.files);
  EXPECT_EQ(run.backend.events.back(), "present 2");  // one step of 2 days
  EXPECT_TRUE(run.files.files == oneStep.files.files) << "the results are not those of one step";
  EXPECT_EQ(run.store.values, oneStep.store.values);
  const Canvas &shown = run.backend.canvas, &expected = oneStep.backend.canvas;
  EXPECT_TRUE(std::equal(shown.Pixels(), shown.Pixels() + 100 * 100, expected.Pixels()))
      << "the picture is not that of one step";
}

TEST(SaverRun, ATempoOutOfRangeIsShownAndNothingRuns) {
  // The bound as the options dialog's field takes it, without group marks.
  const std::pair<const char*, const char*> cases[] = {
      {"-1", "von 0 bis 10000000 ein."}, {"10000001", "von 0 bis 10000000 ein."}, {"schnell", "keine Zahl"}};
  for (const auto& [tempo, advice] : cases) {
    SaverTestRun run;
    run.store.values[kKeyTempo] = tempo;
    EXPECT_EQ(run.Go(), 1);
    ASSERT_EQ(run.backend.errors.size(), 1u);
    EXPECT_NE(run.backend.errors[0].find("Tempo"), std::string::npos) << run.backend.errors[0];
    EXPECT_NE(run.backend.errors[0].find(advice), std::string::npos) << run.backend.errors[0];
    EXPECT_TRUE(run.backend.events.empty());
  }
}

// A set-up that fails and a step that faults: the message is shown, no
// picture follows, and nothing of the broken run is stored.
TEST(SaverRun, AFailureIsShownAndNothingIsStored) {
  const struct {
    const char* what;
    std::function<void(SaverTestRun&)> breakIt;
  } failures[] = {
      {"Rechenfehler", [](SaverTestRun& run) { run.store.values[kKeyIntervall] = "1E+300"; }},
      {"konnte nicht ge", [](SaverTestRun& run) { run.files.files.clear(); }},
  };
  for (const auto& failure : failures) {
    SaverTestRun run;
    failure.breakIt(run);
    EXPECT_EQ(run.Go(), 1);
    ASSERT_EQ(run.backend.errors.size(), 1u);
    EXPECT_NE(run.backend.errors[0].find(failure.what), std::string::npos) << run.backend.errors[0];
    EXPECT_TRUE(run.backend.events.empty());
    EXPECT_EQ(run.store.values.count(kKeyBreite), 0u);
  }
}

TEST(SaverRun, OnlyTheMatchingPasswordEndsALockedRun) {
  SaverTestRun run;
  run.store.values[kKeyPasswort] = EncodePassword("geheim");
  run.backend.answers = {std::string("falsch"), std::nullopt, std::string("geheim")};
  run.backend.onPoll = [&](int poll) {
    if (poll % 10 == 0) run.session.PointerMoved(poll, 10, 100, 100);  // the first one only records
  };
  EXPECT_EQ(run.Go(), 0);
  EXPECT_EQ(std::count(run.backend.events.begin(), run.backend.events.end(), "ask"), 3);
  EXPECT_FALSE(run.backend.openAfterAnswer);  // OK closes the query, with the wrong password too
  EXPECT_EQ(run.backend.pollTimes.size(), 40u);
  EXPECT_EQ(run.store.values.count(kKeyBreite), 1u);
}

// The windows of further monitors stay enabled behind the query; whatever
// they pass on may neither end the run nor open a second query.
TEST(SaverRun, WhileTheQueryIsOpenNothingElseTakesInput) {
  SaverTestRun run;
  run.store.values[kKeyPasswort] = EncodePassword("geheim");
  run.backend.answers = {std::nullopt, std::string("geheim")};
  run.backend.whileAsked = [&] {
    run.UserMoves(60);
    run.session.CharacterTyped();
    run.session.KeyWithoutCharacter(KeyKind::Other);
    run.session.CloseAsked();
    run.store.values[kKeyPasswort] = "";  // even an unlocked saver waits for the query
    run.UserMoves(70);
    run.session.CloseAsked();
    run.store.values[kKeyPasswort] = EncodePassword("geheim");
  };
  run.backend.onPoll = [&](int poll) {
    if (poll % 10 == 0) run.UserMoves(poll % 50);
  };
  EXPECT_EQ(run.Go(), 0);
  EXPECT_EQ(std::count(run.backend.events.begin(), run.backend.events.end(), "ask"), 2);
  EXPECT_EQ(run.backend.pollTimes.size(), 20u);
}

// A query that fails (its window cannot be made, say) must not leave the
// gate shut for good: the next waking move asks again.
TEST(SaverRun, AQueryThatFailsLeavesTheGateOpen) {
  SaverTestRun run;
  run.store.values[kKeyPasswort] = EncodePassword("geheim");
  run.backend.whileAsked = [] { throw std::runtime_error("kein Fenster"); };
  EXPECT_THROW(run.UserMoves(20), std::runtime_error);
  run.backend.whileAsked = nullptr;
  run.backend.answers = {std::string("geheim")};
  run.session.PointerMoved(40, 10, 100, 100);
  EXPECT_EQ(std::count(run.backend.events.begin(), run.backend.events.end(), "ask"), 2);
  EXPECT_FALSE(run.session.Running());
}

// Keys that type nothing. A key that types a character, and Alt+F4, come as
// the character typed and the close asked (below).
TEST(SaverSessionKeys, AModifierAloneWaitsAndAnotherKeyAsksOnlyWhenLocked) {
  SaverTestRun run;
  run.session.KeyWithoutCharacter(KeyKind::Modifier);
  run.session.KeyWithoutCharacter(KeyKind::Other);
  EXPECT_TRUE(run.session.Running());
  EXPECT_TRUE(run.backend.events.empty());
  run.store.values[kKeyPasswort] = EncodePassword("geheim");
  run.session.KeyWithoutCharacter(KeyKind::Modifier);
  EXPECT_TRUE(run.backend.events.empty());
  run.session.KeyWithoutCharacter(KeyKind::Other);
  EXPECT_EQ(run.backend.events, std::vector<std::string>{"ask"});
}

TEST(SaverSessionKeys, ACharacterAlwaysAsksAndTheEmptyPasswordMatchesAnEmptyBox) {
  SaverTestRun run;
  run.backend.answers = {std::string("")};
  run.session.CharacterTyped();
  EXPECT_EQ(run.backend.events, std::vector<std::string>{"ask"});
  EXPECT_FALSE(run.session.Running());
}

// The system would start a screen saver, or asks the window to close.
TEST(SaverSessionClose, NoScreenSaverStartsAndACloseEndsOnlyAnUnlockedRun) {
  SaverTestRun run;
  EXPECT_FALSE(run.session.ScreenSaveAsked());
  run.store.values[kKeyPasswort] = EncodePassword("geheim");
  run.session.CloseAsked();
  EXPECT_EQ(run.backend.events, std::vector<std::string>{"ask"});
  EXPECT_TRUE(run.session.Running());
  run.store.values[kKeyPasswort] = "";
  run.session.CloseAsked();
  EXPECT_FALSE(run.session.Running());
}

}  // namespace
}  // namespace zelor

namespace zelor {
namespace {

BodyRecord Planet(const std::string& name, double xAu, double yAu, double speed, double direction) {
  BodyRecord record;
  record.Name = name;
  record.Mass = 1;
  record.X = xAu * kAU;
  record.Y = yAu * kAU;
  record.Speed = speed;
  record.Direction = direction;
  record.Color = 0xFFFFFF;
  return record;
}

BodyRecord Sun() {
  BodyRecord sun = Planet("Sonne", 0, 0, 0, 0);
  sun.Mass = 332946;
  return sun;
}

bool LitNear(const Canvas& c, int x, int y) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (x + dx >= 0 && y + dy >= 0 && x + dx < c.Width() && y + dy < c.Height() && c.PixelAt(x + dx, y + dy))
        return true;
  return false;
}

// Sizes in powers of two keep the pixel places exact: the primary shows 2 AU
// across 128 pixels, so 64 pixels an AU on every monitor.
TEST(SaverRunAcrossMonitors, EachMonitorShowsItsOwnPartOfTheSkyAtThePrimarysScale) {
  SaverTestRun run;
  // A slow planet 2 AU right of the sun, beyond a gap of 32 pixels; one
  // 1.75 AU left of it on a monitor at negative coordinates, higher up and
  // smaller; one 1.25 AU below on a monitor under the primary.
  run.SetBodies({Sun(), Planet("Rechts", 2, 0, 1, 0), Planet("Links", -1.75, 0, 1, 0), Planet("Unten", 0, 1.25, 1, 0)});
  run.SpreadOver({{{-128, -64, 0, 64}, false}, {{0, 0, 128, 128}, true}, {{160, 0, 288, 128}, false},
                  {{0, 128, 128, 256}, false}},
                 true);
  ASSERT_EQ(run.GoUntilPoll(5), 0);
  const Canvas& c = run.backend.canvas;
  ASSERT_EQ(c.Width(), 416);
  ASSERT_EQ(c.Height(), 320);
  // The screen's (x, y) is the picture's (x + 128, y + 64); the sun at the primary's middle.
  EXPECT_TRUE(LitNear(c, 128 + 64, 64 + 64));
  EXPECT_TRUE(LitNear(c, 128 + 64 + 128, 64 + 64));  // Rechts, on the third monitor
  EXPECT_TRUE(LitNear(c, 128 + 64 - 112, 64 + 64));  // Links
  EXPECT_TRUE(LitNear(c, 128 + 64, 64 + 64 + 80));   // Unten
  // The label's place and the sky's middle do not depend on the monitors beside.
  SaverTestRun alone;
  alone.SetBodies({Sun(), Planet("Rechts", 2, 0, 1, 0), Planet("Links", -1.75, 0, 1, 0), Planet("Unten", 0, 1.25, 1, 0)});
  alone.SpreadOver({{{0, 0, 128, 128}, true}}, true);
  ASSERT_EQ(alone.GoUntilPoll(5), 0);
  EXPECT_TRUE(LitNear(alone.backend.canvas, 64, 64));
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) EXPECT_EQ(alone.backend.canvas.PixelAt(x, y), c.PixelAt(x + 128, y + 64));
}

TEST(SaverRunAcrossMonitors, WithTheSettingOffOnlyThePrimaryIsDrawnOn) {
  SaverTestRun run;
  run.store.values[kKeyAlleBildschirme] = "False";
  run.SetBodies({Sun(), Planet("Rechts", 2, 0, 1, 0)});
  run.SpreadOver({{{0, 0, 128, 128}, true}, {{128, 0, 256, 128}, false}},
                 ReadSwitch(run.settings, kKeyAlleBildschirme));
  ASSERT_EQ(run.GoUntilPoll(5), 0);
  EXPECT_EQ(run.backend.canvas.Width(), 128);
  EXPECT_TRUE(LitNear(run.backend.canvas, 64, 64));
}

// The daemon gives each monitor a window and a process of its own: together
// they show the picture one window over all of them shows, and only the
// primary's run stores its end.
TEST(SaverRunAcrossMonitors, WindowsOfOneMonitorEachShowTheirPartOfTheOneSkyAndOnlyThePrimarysStores) {
  // The picture over all of them begins at (-128, -32).
  const std::vector<MonitorArea> monitors{
      {{-128, -32, 0, 96}, false}, {{0, 0, 128, 128}, true}, {{160, 0, 288, 128}, false}};
  const std::vector<BodyRecord> bodies{Sun(), Planet("Rechts", 2, 0, 1, 0), Planet("Links", -1.75, 0, 1, 0)};
  SaverTestRun whole;
  whole.SetBodies(bodies);
  whole.SpreadOver(monitors, true);
  ASSERT_EQ(whole.GoUntilPoll(5), 0);
  for (const MonitorArea& monitor : monitors) {
    SaverTestRun run;
    run.store.values[kKeySaveResults] = "True";
    run.store.values[kKeyResultsPath] = "/data/ergebnis.zel";
    run.SetBodies(bodies);
    const WindowPart part = PlaceWindowInSky(monitors, monitor.area, true);
    FitPicture(run.backend.canvas, part.places);
    run.backend.storesEnd = part.primaryWindow;
    ASSERT_EQ(run.GoUntilPoll(5), 0);
    const Canvas& c = run.backend.canvas;
    ASSERT_EQ(c.Width(), 128);
    std::size_t lit = 0, differing = 0;
    for (int y = 0; y < c.Height(); ++y)
      for (int x = 0; x < c.Width(); ++x) {
        lit += c.PixelAt(x, y) != 0;
        differing += c.PixelAt(x, y) != whole.backend.canvas.PixelAt(x + monitor.area.left + 128, y + monitor.area.top + 32);
      }
    EXPECT_GT(lit, 0u) << monitor.area.left;
    EXPECT_EQ(differing, 0u) << monitor.area.left;
    EXPECT_EQ(run.store.values.count(kKeyBreite), monitor.primary ? 1u : 0u) << monitor.area.left;
    EXPECT_EQ(run.files.files.size(), monitor.primary ? 2u : 1u) << "files after the run " << monitor.area.left;
  }
}

// The end of the run is judged on the bodies, never on where they were drawn.
TEST(SaverRunAcrossMonitors, TheEndOfTheRunIsTheSameWhateverTheMonitors) {
  const auto endOver = [](const std::vector<MonitorArea>& monitors) {
    SaverTestRun run;
    run.store.values[kKeySaveResults] = "True";
    run.SetBodies({Sun(), Planet("Erde", 1, 0, 29800, 90), Planet("Weg", 1.6, 0, 90000, 90)});
    run.SpreadOver(monitors, true);
    EXPECT_EQ(run.GoUntilPoll(300), 0);
    return std::make_pair(run.store.values, run.files.files);
  };
  const auto one = endOver({{{0, 0, 100, 100}, true}});
  EXPECT_EQ(one, endOver({{{-300, 0, 0, 200}, false}, {{0, 0, 100, 100}, true}, {{100, -50, 400, 50}, false}}));
  EXPECT_EQ(one.first.count(kKeyBreite), 1u);
}

// A circular orbit on a 16:10 screen: round when "rund" is on, stretched
// 1.6 : 1 as the sky is when it is off.
TEST(SaverRunAcrossMonitors, ACircleIsDrawnRoundOnAWideScreenOnlyWithRund) {
  for (const char* rund : {"True", "False"}) {
    SaverTestRun run;
    run.store.values[kKeyRund] = rund;
    run.store.values[kKeyBreite] = run.store.values[kKeyHoehe] = "3";
    // Speed for a circle of 1 AU around the sun: v² = G M / r.
    run.SetBodies({Sun(), Planet("Erde", 1, 0, std::sqrt(332946 * 3.986659e14 / kAU), 90)});
    run.SpreadOver({{{0, 0, 1280, 800}, true}}, true);
    ASSERT_EQ(run.GoUntilPoll(400), 0);
    const Canvas& c = run.backend.canvas;
    int left = c.Width(), right = -1, top = c.Height(), bottom = -1;
    for (int y = 0; y < c.Height(); ++y)
      for (int x = 0; x < c.Width(); ++x)
        if (c.PixelAt(x, y)) left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                             bottom = std::max(bottom, y);
    const double width = right - left + 1, height = bottom - top + 1;
    ASSERT_GT(height, 100) << "no orbit drawn";
    if (std::string(rund) == "True")
      EXPECT_NEAR(width, height, 2) << width << " x " << height;
    else
      EXPECT_NEAR(width / height, 1.6, 0.01) << width << " x " << height;
  }
}

}  // namespace
}  // namespace zelor
