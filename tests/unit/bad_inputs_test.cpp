// Bad inputs a saver run can meet that the other tests do not already cover:
// each ends in a clear German message or a run that goes on, never a crash.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/zelor_error.h"
#include "sim_test_support.h"

namespace zelor {
namespace {

TEST(BadBodyFile, AFolderNamedAsTheBodyFileCannotBeOpened) {
  SimRun run;
  run.files.folders.insert("/data/sterne.zel");
  run.store.values[kKeyDatei] = "/data/sterne.zel";
  EXPECT_TRUE(Contains(run.SetUpError(), "„/data/sterne.zel“ konnte nicht geöffnet werden"));
}

TEST(BadBodyFile, NegativeMassesPushInsteadOfPulling) {
  SimRun run;
  run.Load({MakeRecord("A", 2, -1e10, 0, 0, 0), MakeRecord("B", -1, 1e10, 0, 0, 0)});
  for (int k = 0; k < 100; ++k) SimStep(run.state, run.canvas);
  EXPECT_LT(run.state.Bodies[0].X, -1e10);  // the lighter negative mass repels A
}

TEST(BadBodyFile, HugeMassesStopTheRunWithAMessage) {
  SimRun run;
  run.Load({MakeRecord("A", 1e300, 0, 0, 0, 0), MakeRecord("B", 1e300, 1e3, 0, 0, 0)});
  try {
    SimStep(run.state, run.canvas);
    FAIL() << "no fault";
  } catch (const ZelorError& error) {
    EXPECT_TRUE(Contains(error.what(), "Rechenfehler"));
    EXPECT_TRUE(Contains(error.what(), "es wird nichts gespeichert"));
  }
}

TEST(BadSettings, EmptyAndHugeTextsAreNoNumbers) {
  for (const std::string& text : std::vector<std::string>{"", "   ", "1e999", std::string(5000, '9') + "x"}) {
    SimRun run;
    run.files.files[run.kBodyPath] = BodyFileBytes({MakeRecord("A", 1, 0, 0, 0, 0)});
    run.store.values[kKeyBreite] = text;
    const std::string message = run.SetUpError();
    EXPECT_TRUE(Contains(message, "„Bildschirmbreite (AE)“")) << text.size();
    EXPECT_LT(message.size(), 400u) << "a long text is cut in the message";
  }
}

TEST(BadSettings, AHugeIntervalStopsTheFirstStep) {
  SimRun run;
  run.Load({MakeRecord("A", 1, 0, 0, 0, 0), MakeRecord("B", 1, 1e11, 0, 0, 0)}, "1e300");
  EXPECT_THROW(SimStep(run.state, run.canvas), ZelorError);
}

TEST(BadResultsPath, AFolderInItsPlaceKeepsTheFolderAndTheBodyFileSetting) {
  SimRun run;
  run.Load({MakeRecord("Sonne", 332946, 0, 0, 0, 0), MakeRecord("Erde", 1, 1.5e11, 0, 29780, 90)});
  run.files.folders.insert("/data/ergebnis");
  run.store.values[kKeySpeichern] = "True";
  run.store.values[kKeySpeicher] = "/data/ergebnis";
  run.files.readOnly.insert("/data/ergebnis");  // a folder cannot be replaced by a file
  SimEnd(run.state, run.settings, run.files);
  EXPECT_FALSE(run.files.Exists("/data/ergebnis"));
  EXPECT_EQ(run.store.values[kKeyDatei], run.kBodyPath);
  EXPECT_EQ(run.files.files.size(), 1u) << "no temporary file is left";
  EXPECT_EQ(run.store.values[kKeyBreite], "2");
}

}  // namespace
}  // namespace zelor

namespace zelor {
namespace {

// A failure at each single settings write of the end of a run: whatever fails,
// every key holds its old or its new value and the next run starts.
TEST(FailingSettingsWrites, EachSingleFailureLeavesASettingsStateTheNextRunStartsFrom) {
  for (int failing = 1; failing <= 3; ++failing) {
    SimRun run;
    run.Load({MakeRecord("Sonne", 332946, 0, 0, 0, 0), MakeRecord("Erde", 1, 1.5e11, 0, 29780, 90)});
    for (int k = 0; k < 50; ++k) SimStep(run.state, run.canvas);
    run.store.values[kKeySpeichern] = "True";
    run.store.values[kKeySpeicher] = "/data/ergebnis.zel";
    const auto before = run.store.values;
    run.store.failWriteAt = failing;
    SimEnd(run.state, run.settings, run.files);
    ASSERT_TRUE(run.files.Exists("/data/ergebnis.zel"));
    EXPECT_EQ(run.store.writes, 3) << "every write was tried";
    EXPECT_TRUE(run.store.values[kKeyDatei] == before.at(kKeyDatei) ||
                run.store.values[kKeyDatei] == "/data/ergebnis.zel");
    SimRun next;
    next.files = run.files;
    next.store.values = run.store.values;
    next.store.failWriteAt = 0;
    EXPECT_NO_THROW(SimInit(next.state, next.settings, next.files, next.canvas)) << "failing write " << failing;
    EXPECT_EQ(next.state.Bodies.size(), 2u);
  }
}

}  // namespace
}  // namespace zelor
