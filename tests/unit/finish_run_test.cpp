// How the end of a run reaches settings and files (FinishRun): the sky and
// "Datei" stored, the results written safely, and every fault on the way
// leaving a state the next run starts from.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim_test_support.h"
#include "sim_end_fixture.h"

namespace zelor {
namespace {

TEST(SimEndRecord, AWhiteBodyIsWrittenWithColourZero) {
  End end({At(kSun, 0, 0, 0, 0, 0x000000FF), At(1, 1, 0)});
  end.Run();
  const auto& bytes = end.files.files.at(kResults);
  ASSERT_EQ(bytes.size(), 2 * kBodyRecordSize);
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 55, bytes.begin() + 59),
            (std::vector<unsigned char>{0xFF, 0, 0, 0}));
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 59 + 55, bytes.end()),
            (std::vector<unsigned char>(4, 0)));
}

TEST(SimEndEscape, EscapingBodiesAreLeftOutOfTheRecordsAndOfTheSky) {
  End end({At(kSun, 0.5, 0), At(1, 5, 0, 0, 100000), At(1, 0, 1, 20000, 0), At(1, 0, -9, 0, -100000)});
  end.Run();
  const auto records = end.Records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].X, 0.5 * kAU);
  EXPECT_EQ(records[1].Y, kAU);
  // The 2 by 3 sky keeps its shape around the sun's 1 and the planet's 2 AU.
  EXPECT_EQ(end.state.ViewWidth, 1.34);
  EXPECT_EQ(end.state.ViewHeight, 2);
  EXPECT_EQ(end.store.values[kKeyBreite], "1.34");
  EXPECT_EQ(end.store.values[kKeyHoehe], "2");
}

// The next run must be able to start from what is saved.
TEST(SimEndNextRun, ALoneBodyEscapesSoNothingIsSavedAndTheSkyStays) {
  End end({At(1, 0.3, 0.2)});
  end.Run();
  EXPECT_FALSE(end.files.Exists(kResults));
  EXPECT_EQ(end.files.Changes(), 0);
  EXPECT_EQ(end.store.values[kKeyDatei], "/data/bodies.zel");
  EXPECT_EQ(end.store.values[kKeyBreite], "2");
  EXPECT_EQ(end.store.values[kKeyHoehe], "3");
}

TEST(SimEndNextRun, BodiesThatStayWithoutAnyMassAreNotSaved) {
  // The Sun feels no pull from a probe of mass 0 and counts as escaping.
  End end({At(kSun, 0, 0), At(0, 1, 0, 0, 30000)});
  const std::vector<unsigned char> old = BodyFileBytes({MakeRecord("Alt", 1, 0, 0, 0, 0)});
  end.files.files[kResults] = old;
  end.Run();
  EXPECT_EQ(end.files.files[kResults], old);
  EXPECT_EQ(end.store.values[kKeyDatei], "/data/bodies.zel");
}

TEST(SimEndNextRun, AFittedExtentOfZeroKeepsTheExtentOfTheRun) {
  // The comet leaves; the Sun, all that is left, sits at the origin.
  End end({At(kSun, 0, 0), At(1, 5, 0, 0, 100000)});
  end.state.ViewWidth = 12;
  end.Run();
  EXPECT_EQ(end.Records().size(), 1u);
  EXPECT_EQ(end.store.values[kKeyBreite], "12");
  EXPECT_EQ(end.store.values[kKeyHoehe], "3");
}

// The sky that reaches the next run: the run's sky scaled by one factor, the
// smallest that holds twice the farthest any body that stays got from each
// axis during this run, rounded up to three significant digits.
struct SkyCase {
  const char* what;
  bool saving;
  double startWidth, startHeight;
  double reachX, reachY;  // AU, the planet's
  const char *width, *height;
};

TEST(SimEndSky, KeepsItsShapeAndHoldsTheBodiesThatStayNeverAnEscapingOne) {
  const SkyCase cases[] = {
      // Saved: the next run starts from these bodies, so the sky may shrink.
      {"saved", true, 30, 40, 2.2, 1.5, "4,4", "5,87"},
      // A short run along the x axis: the height is not squashed to a line.
      {"saved, a short run along the x axis", true, 4, 3, 1.5, 0.05, "3", "2,25"},
      // Not saved: the next run starts from the body file this run started
      // from, which the start sky showed whole.
      {"not saved, smaller", false, 2, 1, 2.2, 1.5, "6", "3"},
      {"not saved, larger", false, 30, 40, 2.2, 1.5, "30", "40"},
      {"not saved, rounded up", false, 4, 3, 3.0115, 0, "6,03", "4,52"},
      {"mirrored", true, -30, -40, 2.2, 1.5, "-4,4", "-5,87"},
  };
  for (const SkyCase& c : cases) {
    SCOPED_TRACE(c.what);
    // The planet went out from the axes and is back at 1 AU; the comet, far
    // out, leaves.
    End end({At(kSun, 0, 0), At(1, 1, 0, 0, 30000), At(1, 500, -700, 0, 100000)}, kGermanLocale);
    end.state.Bodies[1].ReachX = c.reachX * kAU;
    end.state.Bodies[1].ReachY = c.reachY * kAU;
    end.state.Bodies[2].ReachX = 900 * kAU;
    end.store.values[kKeySaveResults] = c.saving ? "True" : "False";
    end.state.ViewWidth = c.startWidth;
    end.state.ViewHeight = c.startHeight;
    end.Run();
    EXPECT_EQ(end.files.Exists(kResults), c.saving);
    EXPECT_EQ(end.store.values[kKeyBreite], c.width);
    EXPECT_EQ(end.store.values[kKeyHoehe], c.height);
  }
}

// Loaded from a body file, the planet starts at the far end of its orbit and
// falls in, from the Y axis and from the X axis; the probe escapes far faster
// than it would need to.
TEST(SimEndSky, CountsWhereABodyStartedAndNotWhereTheEscapingOneWent) {
  for (const bool onX : {false, true}) {
    SCOPED_TRACE(onX ? "on the X axis" : "on the Y axis");
    SimRun run;
    run.store.values[kKeySaveResults] = "True";
    run.store.values[kKeyResultsPath] = kResults;
    run.store.values[kKeyBreite] = "1";
    run.store.values[kKeyHoehe] = "1";
    run.Load({MakeRecord("Sonne", kSun, 0, 0, 0, 0),
              MakeRecord("Fall", 1, onX ? 3 * kAU : 0, onX ? 0 : 3 * kAU, 5000, onX ? 90 : 0),
              MakeRecord("Sonde", 0, kAU, 0, 5e6, 0)},
             "10");
    for (int k = 0; k < 10; ++k) SimStep(run.state, run.canvas);
    const Body& fall = run.state.Bodies[1];
    ASSERT_LT(std::fabs(onX ? fall.X : fall.Y), 3 * kAU);
    ASSERT_LT(std::fabs(onX ? fall.Y : fall.X), 0.5 * kAU);
    ASSERT_GT(run.state.Bodies[2].X, 100 * kAU);
    FinishRun(run.state, run.settings, run.files);
    ASSERT_EQ(run.RecordsIn(kResults).size(), 2u);
    EXPECT_EQ(run.store.values[kKeyHoehe], "6");
    EXPECT_EQ(run.store.values[kKeyBreite], "6");  // square, as it started
  }
}

TEST(SimEndSettings, SavingOffTouchesNoFileButStoresTheSky) {
  for (const char* off : {"False", "0", "false"}) {
    End end({At(kSun, 0, 0), At(1, 1, 0)});
    end.store.values[kKeySaveResults] = off;
    end.Run();
    EXPECT_EQ(end.files.Changes(), 0) << off;
    EXPECT_EQ(end.store.values[kKeyDatei], "/data/bodies.zel");
    EXPECT_EQ(end.store.values[kKeyBreite], "2");
    EXPECT_EQ(end.store.values[kKeyHoehe], "3");
  }
}

TEST(SimEndSettings, SavingAbsentOrNotATruthValueCountsAsOff) {
  for (const char* text : {"", "vielleicht"}) {
    End end({At(kSun, 0, 0), At(1, 1, 0)});
    end.store.values[kKeySaveResults] = text;
    end.Run();
    EXPECT_EQ(end.files.Changes(), 0) << text;
  }
  End absent({At(kSun, 0, 0), At(1, 1, 0)});
  absent.store.values.erase(kKeySaveResults);
  absent.Run();
  EXPECT_EQ(absent.files.Changes(), 0);
  EXPECT_EQ(absent.store.values[kKeyBreite], "2");
}

TEST(SimEndSettings, TheBodyFileFollowsTheWrittenResults) {
  End end({At(kSun, 0, 0), At(1, 1, 0)});
  end.store.values[kKeySaveResults] = "1";
  end.Run();
  EXPECT_EQ(end.store.values[kKeyDatei], kResults);
  EXPECT_EQ(end.state.BodyFile, kResults);
  EXPECT_EQ(end.files.files.size(), 1u);  // no temporary file left
}

TEST(SimEndSettings, AStoreThatRefusesWritesChangesNothingElse) {
  End end({At(kSun, 0, 0), At(1, 1, 0)});
  end.store.failWrites = true;
  end.Run();
  EXPECT_EQ(end.Records().size(), 2u);
  EXPECT_EQ(end.store.values.count(kKeyBreite), 0u);
}

// A store that fails by throwing, as a broken platform store might.
class ThrowingStore : public SettingsStore {
 public:
  std::optional<std::string> Read(const std::string&) override { throw std::runtime_error("kaputt"); }
  bool Write(const std::string&, const std::string&) override { throw std::runtime_error("kaputt"); }
};

TEST(SimEndSettings, NeverThrows) {
  ThrowingStore store;
  Settings settings(store, MakeDefaultPaths("/appdata"), kEnglishLocale);
  FakeFileSystem files;
  SimState state;
  state.Bodies = {At(1, 0, 0)};
  EXPECT_NO_THROW(FinishRun(state, settings, files));
}

// Each way in which writing the results can fail, one at a time.
const std::vector<std::pair<const char*, std::function<void(End&)>>> kFileFaults = {
    {"folder missing", [](End& e) { e.store.values[kKeyResultsPath] = "/nirgends/Ergebnis.zel"; }},
    {"read-only file", [](End& e) { e.files.readOnly.insert(kResults); }},
    {"create fails", [](End& e) { e.files.failCreateAt = 1; }},
    {"first record fails", [](End& e) { e.files.failWriteAt = 1; }},
    {"second record fails", [](End& e) { e.files.failWriteAt = 2; }},
    {"flush fails", [](End& e) { e.files.failFlushAt = 1; }},
    {"close fails", [](End& e) { e.files.failCloseAt = 1; }},
    {"replace fails", [](End& e) { e.files.failReplaceAt = 1; }},
};

// The comet escapes, which would fit the 7 by 3 sky to the others (2 AU wide)
// had the results been saved; unsaved, the sky stays as the run left it.
TEST(SimEndFaults, AFailedWriteKeepsTheOldResultsTheBodyFileSettingAndTheSky) {
  const std::vector<unsigned char> old = BodyFileBytes({MakeRecord("Alt", 1, 0, 0, 0, 0)});
  for (const auto& [what, fault] : kFileFaults) {
    SCOPED_TRACE(what);
    End end({At(kSun, 0, 0), At(1, 1, 0, 0, 30000), At(1, -1, 0.25, 0, -30000), At(1, 5, 0, 0, 100000)});
    end.state.ViewWidth = 7;
    end.files.files[kResults] = old;
    fault(end);
    end.Run();
    EXPECT_EQ(end.files.files[kResults], old);
    EXPECT_EQ(end.files.files.size(), 1u);  // the temporary file is gone
    EXPECT_EQ(end.store.values[kKeyDatei], "/data/bodies.zel");
    EXPECT_EQ(end.store.values[kKeyBreite], "7");
    EXPECT_EQ(end.store.values[kKeyHoehe], "3");
  }
  End saved({At(kSun, 0, 0), At(1, 1, 0, 0, 30000), At(1, -1, 0.25, 0, -30000), At(1, 5, 0, 0, 100000)});
  saved.state.ViewWidth = 7;
  saved.Run();
  EXPECT_EQ(saved.store.values[kKeyBreite], "2");
  EXPECT_EQ(saved.store.values[kKeyHoehe], "0.858");
}

// The temporary file takes a name nothing has: a user's files of the names it
// tried are neither emptied nor removed, whether the save works or fails.
TEST(SimEndFaults, AUsersFilesNamedLikeTheTemporaryOneSurvive) {
  const std::vector<unsigned char> mine = {'m', 'e', 'i', 'n', 's'};
  auto faults = kFileFaults;
  faults.insert(faults.begin(), {"no fault", [](End&) {}});
  for (const auto& [what, fault] : faults) {
    SCOPED_TRACE(what);
    End end({At(kSun, 0, 0), At(1, 1, 0)});
    end.files.files[kResults + ".tmp"] = mine;
    end.files.files[kResults + ".1.tmp"] = mine;
    end.files.folders.insert(kResults + ".2.tmp");
    fault(end);
    end.Run();
    EXPECT_EQ(end.files.files[kResults + ".tmp"], mine);
    EXPECT_EQ(end.files.files[kResults + ".1.tmp"], mine);
    EXPECT_EQ(end.files.files.size() - end.files.Exists(kResults), 2u);  // none of ours is left
    EXPECT_EQ(end.files.Exists(kResults), what == std::string("no fault") || what == std::string("create fails"));
  }
}

TEST(SimEndFaults, WithoutAnOldResultsFileNothingIsLeftBehind) {
  End end({At(kSun, 0, 0), At(1, 1, 0)});
  end.files.failWriteAt = 2;
  end.Run();
  EXPECT_TRUE(end.files.files.empty());
  EXPECT_EQ(end.store.values[kKeyDatei], "/data/bodies.zel");
}

// The next run continues from the results: a run loaded from a file and
// saved to the same file replaces it by its final state.
TEST(SimEndContinuation, TheBodyFileAsResultsFileHoldsTheFinalState) {
  SimRun run;
  run.store.values[kKeySaveResults] = "True";
  run.store.values[kKeyResultsPath] = run.kBodyPath;
  run.Load({MakeRecord("Sonne", kSun, 0, 0, 0, 0), MakeRecord("Erde", 1, kAU, 0, 29800, 90)});
  for (int k = 0; k < 10; ++k) SimStep(run.state, run.canvas);
  FinishRun(run.state, run.settings, run.files);
  const auto records = run.RecordsIn(run.kBodyPath);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].X, run.state.Bodies[1].X);
  EXPECT_EQ(records[1].Y, run.state.Bodies[1].Y);
  EXPECT_EQ(run.store.values[kKeyDatei], run.kBodyPath);
}

TEST(SimEndContinuation, ASavedStateLoadsBackWithTheSamePositionsAndVelocities) {
  SimRun run;
  run.store.values[kKeySaveResults] = "True";
  run.store.values[kKeyResultsPath] = kResults;
  run.Load({MakeRecord("Sonne", kSun, 0, 0, 0, 0), MakeRecord("Erde", 1, kAU, 0, 29800, 90),
            MakeRecord("Mars", 0.107, 0, -1.52 * kAU, 24100, 0),
            MakeRecord("Sonde", 0, -kAU, 0, 30000, 250)});
  for (int k = 0; k < 25; ++k) SimStep(run.state, run.canvas);
  const SimState before = run.state;
  FinishRun(run.state, run.settings, run.files);
  StartRun(run.state, run.settings, run.files, run.canvas, {});
  ASSERT_EQ(run.state.BodyFile, kResults);
  ASSERT_EQ(run.state.Bodies.size(), before.Bodies.size());
  for (std::size_t i = 0; i < before.Bodies.size(); ++i) {
    SCOPED_TRACE(i);
    const Body& a = before.Bodies[i];
    const Body& b = run.state.Bodies[i];
    EXPECT_EQ(b.X, a.X);
    EXPECT_EQ(b.Y, a.Y);
    const double speed = std::hypot(a.VX, a.VY);
    EXPECT_NEAR(b.VX, a.VX, 1e-12 * speed + 1e-6);
    EXPECT_NEAR(b.VY, a.VY, 1e-12 * speed + 1e-6);
  }
}

// A run that ends normally must leave a configuration the next run starts
// from: the results file it points "Datei" at, and the sky size it stores.
struct NextRunCase {
  const char* name;
  std::vector<BodyRecord> records;
  const char* height;
};

class SimEndNextRunStarts : public ::testing::TestWithParam<NextRunCase> {};

// Loads the bodies, runs a few steps and ends the run with saving on, then
// starts the next run from what was left.
TEST_P(SimEndNextRunStarts, AfterSavingTheResults) {
  const NextRunCase& c = GetParam();
  SimRun run;
  run.store.values[kKeyHoehe] = c.height;
  run.store.values[kKeySaveResults] = "True";
  run.store.values[kKeyResultsPath] = "/data/results.zel";
  run.Load(c.records);
  for (int step = 0; step < 3; ++step) SimStep(run.state, run.canvas);
  FinishRun(run.state, run.settings, run.files);
  SimState next;
  std::string refusal;
  try {
    StartRun(next, run.settings, run.files, run.canvas, {});
  } catch (const ZelorError& error) {
    refusal = error.what();
  }
  EXPECT_EQ(refusal, "");
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, SimEndNextRunStarts,
    ::testing::Values(
        NextRunCase{"ALoneBody", {MakeRecord("Sonne", kSun, 0, 0, 0, 0)}, "2"},
        // The sun, which only ever moved along the X axis, is left with Y
        // exactly 0, so the refitted sky has no height.
        NextRunCase{"ACometLeavingAlongTheXAxis",
                    {MakeRecord("Sonne", kSun, 0, 0, 0, 0), MakeRecord("Komet", 1, 1e15, 0, 1e6, 0)},
                    "2"},
        // The probe feels the sun, but the sun feels nothing and counts as
        // escaping; the probe alone has no mass to move around.
        NextRunCase{"ASunWithMasslessProbes",
                    {MakeRecord("Sonne", kSun, 0, 0, 0, 0), MakeRecord("Sonde", 0, 1e11, 1e11, 0, 0)},
                    "2"},
        // A negative height mirrors the sky; the sky then grows to twice the
        // largest distance from the X axis in the first step, which is 0 when
        // every body lies on it.
        NextRunCase{"AMirroredSkyWithEveryBodyOnTheXAxis",
                    {MakeRecord("Sonne", kSun, 0, 0, 0, 0), MakeRecord("Erde", 1, 1e11, 0, 0, 0)},
                    "-2"}),
    [](const ::testing::TestParamInfo<NextRunCase>& info) { return std::string(info.param.name); });

TEST(SimEndFaults, AFolderInPlaceOfTheResultsKeepsTheFolderAndTheBodyFileSetting) {
  SimRun run;
  run.Load({MakeRecord("Sonne", kSun, 0, 0, 0, 0), MakeRecord("Erde", 1, kAU, 0, 29780, 90)});
  run.files.folders.insert("/data/ergebnis");
  run.store.values[kKeySaveResults] = "True";
  run.store.values[kKeyResultsPath] = "/data/ergebnis";
  run.files.readOnly.insert("/data/ergebnis");  // a folder cannot be replaced by a file
  FinishRun(run.state, run.settings, run.files);
  EXPECT_FALSE(run.files.Exists("/data/ergebnis"));
  EXPECT_EQ(run.store.values[kKeyDatei], run.kBodyPath);
  EXPECT_EQ(run.files.files.size(), 1u) << "no temporary file is left";
  EXPECT_EQ(run.store.values[kKeyBreite], "2");
}

// A failure at each single settings write of the end of a run: whatever fails,
// every key holds its old or its new value and the next run starts.
TEST(SimEndFaults, EachSingleFailedSettingsWriteLeavesASettingsStateTheNextRunStartsFrom) {
  for (int failing = 1; failing <= 3; ++failing) {
    SimRun run;
    run.Load({MakeRecord("Sonne", kSun, 0, 0, 0, 0), MakeRecord("Erde", 1, kAU, 0, 29780, 90)});
    for (int k = 0; k < 50; ++k) SimStep(run.state, run.canvas);
    run.store.values[kKeySaveResults] = "True";
    run.store.values[kKeyResultsPath] = "/data/ergebnis.zel";
    const auto before = run.store.values;
    run.store.failWriteAt = failing;
    FinishRun(run.state, run.settings, run.files);
    ASSERT_TRUE(run.files.Exists("/data/ergebnis.zel"));
    EXPECT_EQ(run.store.writes, 3) << "every write was tried";
    EXPECT_TRUE(run.store.values[kKeyDatei] == before.at(kKeyDatei) ||
                run.store.values[kKeyDatei] == "/data/ergebnis.zel");
    SimRun next;
    next.files = run.files;
    next.store.values = run.store.values;
    next.store.failWriteAt = 0;
    EXPECT_NO_THROW(StartRun(next.state, next.settings, next.files, next.canvas, {})) << "failing write " << failing;
    EXPECT_EQ(next.state.Bodies.size(), 2u);
  }
}

}  // namespace
}  // namespace zelor
