// The saver run driven through a fake window system: the order of steps,
// pictures and input, the end after a fault, the password query and its gate.
#include "shell/saver_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "lock/encode_password.h"
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
  std::optional<std::string> AskPassword() override {
    events.push_back("ask");
    if (whileAsked) whileAsked();
    std::optional<std::string> answer = answers.empty() ? std::nullopt : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  void ShowError(const std::string& message) override { errors.push_back(message); }

  std::int64_t now = 0, tick = 100;
  Canvas canvas;
  std::vector<std::string> events, errors;
  std::vector<std::int64_t> presentTimes, pollTimes, waits;
  std::function<void(int poll)> onPoll;  // the user's input, at the n-th poll
  std::function<void()> whileAsked;      // input that reaches the saver behind the query
  std::deque<std::optional<std::string>> answers;
};

// A sun and a planet in a fresh install's settings, the body file in memory.
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
  // The pointer moves twice, as a user's hand does: the first report only
  // records where it is.
  void UserMoves(int from) {
    session.MouseMove(from, 10, 100, 100);
    session.MouseMove(from + 1, 10, 100, 100);
  }

  MemoryStore store;
  Settings settings;
  FakeFileSystem files;
  FakeBackend backend;
  SaverSession session;
};

TEST(SaverRun, StepsComeFirstThenPicturesAtTheDisplaysPaceAndInputAtMostEachMillisecond) {
  SaverTestRun run;
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

TEST(SaverRun, WithATempoMakesTheStepsDueAndSleepsBetweenFrames) {
  SaverTestRun run;
  run.store.values[kKeyTempo] = "200";
  run.backend.onPoll = [&](int) {
    if (run.backend.now >= 5'000'000) run.UserMoves(20);
  };
  EXPECT_EQ(run.Go(), 0);
  // 5 s at 200 steps a second and 2 days a step: the last picture shows
  // 2000 days, give or take the steps of a frame.
  const std::string& last = run.backend.events.back();
  ASSERT_EQ(last.rfind("present ", 0), 0u) << last;
  const double days = std::stod(last.substr(8));
  EXPECT_GE(days, 1990);
  EXPECT_LE(days, 2010);
  // It slept between frames, never less than a frame, and showed each frame.
  ASSERT_FALSE(run.backend.waits.empty());
  EXPECT_GE(*std::min_element(run.backend.waits.begin(), run.backend.waits.end()), 15000);
  EXPECT_LE(run.backend.waits.size(), 5'000'000u / 16666 + 2);
  EXPECT_GE(run.backend.presentTimes.size(), run.backend.waits.size() - 1);
  EXPECT_LE(run.backend.presentTimes.size(), 5'000'000u / 16666 + 2);
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
  SaverLoopLimits limits;
  limits.seconds = 0.05;
  EXPECT_EQ(RunSaver(run.backend, run.session, run.settings, run.files, {}, 60, &limits), 0);
  const std::string& last = run.backend.events.back();
  ASSERT_EQ(last.rfind("present ", 0), 0u) << last;
  EXPECT_EQ(limits.steps * 2, std::stoll(last.substr(8)));
}

TEST(SaverRun, ATempoOutOfRangeIsShownAndNothingRuns) {
  for (const char* tempo : {"-1", "10000001", "schnell"}) {
    SaverTestRun run;
    run.store.values[kKeyTempo] = tempo;
    EXPECT_EQ(run.Go(), 1);
    ASSERT_EQ(run.backend.errors.size(), 1u);
    EXPECT_NE(run.backend.errors[0].find("Tempo"), std::string::npos) << run.backend.errors[0];
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
    if (poll % 10 == 0) run.session.MouseMove(poll, 10, 100, 100);  // the first one only records
  };
  EXPECT_EQ(run.Go(), 0);
  EXPECT_EQ(std::count(run.backend.events.begin(), run.backend.events.end(), "ask"), 3);
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
    run.session.Character();
    run.session.KeyWithoutCharacter();
    run.session.CloseRequest();
    run.store.values[kKeyPasswort] = "";  // even an unlocked saver waits for the query
    run.UserMoves(70);
    run.session.CloseRequest();
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
  run.session.MouseMove(40, 10, 100, 100);
  EXPECT_EQ(std::count(run.backend.events.begin(), run.backend.events.end(), "ask"), 2);
  EXPECT_FALSE(run.session.Running());
}

TEST(SaverSessionKeys, ModifiersWaitCharactersAndF4GoOnOtherKeysAskOnlyWhenLocked) {
  SaverTestRun run;
  EXPECT_EQ(run.session.KeyDown(true, false, false), KeyDownRoute::Ignore);
  EXPECT_EQ(run.session.KeyDown(false, true, false), KeyDownRoute::PassOn);
  EXPECT_EQ(run.session.KeyDown(false, false, true), KeyDownRoute::PassOn);
  EXPECT_EQ(run.session.KeyDown(false, false, false), KeyDownRoute::WithoutCharacter);
  EXPECT_TRUE(run.session.Running());
  EXPECT_TRUE(run.backend.events.empty());
  run.store.values[kKeyPasswort] = EncodePassword("geheim");
  run.session.KeyDown(false, false, false);
  EXPECT_EQ(run.backend.events, std::vector<std::string>{"ask"});
}

TEST(SaverSessionKeys, ACharacterAlwaysAsksAndTheEmptyPasswordMatchesAnEmptyBox) {
  SaverTestRun run;
  run.backend.answers = {std::string("")};
  run.session.Character();
  EXPECT_EQ(run.backend.events, std::vector<std::string>{"ask"});
  EXPECT_FALSE(run.session.Running());
}

TEST(SaverSessionSystemCommands, CloseAsksScreenSaveAndMenuAreSwallowedTheRestGoesOn) {
  EXPECT_EQ(RouteSystemCommand(0xF060), SystemCommandRoute::Close);
  EXPECT_EQ(RouteSystemCommand(0xF063), SystemCommandRoute::Close);  // the low bits are the system's
  EXPECT_EQ(RouteSystemCommand(0xF140), SystemCommandRoute::Swallow);
  EXPECT_EQ(RouteSystemCommand(0xF100), SystemCommandRoute::Swallow);
  EXPECT_EQ(RouteSystemCommand(0xF020), SystemCommandRoute::PassOn);  // minimise
  EXPECT_EQ(RouteSystemCommand(0xF170), SystemCommandRoute::PassOn);  // monitor power
}

}  // namespace
}  // namespace zelor
