#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/zelor_error.h"
#include "sim_test_support.h"

namespace zelor {
namespace {

std::string LoadError(SimRun& run, const std::vector<BodyRecord>& records) {
  run.files.files[run.kBodyPath] = BodyFileBytes(records);
  return run.SetUpError();
}

// A body of mass 0 changes nobody's drift, so the other body's velocity
// shows as it came from the file.
std::vector<BodyRecord> WithHeavyBodyAtRest(const BodyRecord& probe) {
  return {MakeRecord("Sonne", 332946, 0, 0, 0, 0), probe};
}

TEST(SimInitVelocity, SpeedAndDirectionBecomeADisplacementPerStep) {
  SimRun run;
  run.Load(WithHeavyBodyAtRest(MakeRecord("Sonde", 0, 1e11, 0, 1000, 0)), "2");
  EXPECT_DOUBLE_EQ(run.state.Bodies[1].VX, 1.728e8);
  EXPECT_EQ(run.state.Bodies[1].VY, 0);
}

TEST(SimInitVelocity, Direction90MovesDownTheScreen) {
  SimRun run;
  run.Load(WithHeavyBodyAtRest(MakeRecord("Sonde", 0, 1e11, 0, 1000, 90)), "1");
  EXPECT_DOUBLE_EQ(run.state.Bodies[1].VY, 8.64e7);
  EXPECT_NEAR(run.state.Bodies[1].VX, 0, 1e-6);
}

// Without any settings: the configuration alone decides.
TEST(SimInitConfig, TakesTheBodyFileTheSkyAndTheIntervalAsGiven) {
  FakeFileSystem files;
  files.files["/data/Sterne.zel"] = BodyFileBytes(WithHeavyBodyAtRest(MakeRecord("Sonde", 0, 1e11, 0, 1000, 0)));
  Canvas canvas;
  canvas.Resize(200, 100);
  SimState state;
  SimInit(state, RunConfig{"/data/Sterne.zel", 8, -2, 0.5}, files, canvas);
  EXPECT_EQ(state.BodyFile, "/data/Sterne.zel");
  EXPECT_EQ(state.ViewWidth, 8);
  EXPECT_EQ(state.ViewHeight, -2);
  EXPECT_EQ(state.SimInterval, 0.5);
  EXPECT_DOUBLE_EQ(state.Bodies[1].VX, 4.32e7);
  EXPECT_DOUBLE_EQ(canvas.UserX(200), 4);
  EXPECT_DOUBLE_EQ(canvas.UserY(0), 1);
  EXPECT_EQ(files.Changes(), 0);
}

TEST(SimInitDrift, TwoEqualMassesShareTheMotionOppositely) {
  SimRun run;
  run.Load({MakeRecord("A", 5, 0, 0, 1000, 0), MakeRecord("B", 5, 1e11, 0, 0, 0)}, "2");
  EXPECT_DOUBLE_EQ(run.state.Bodies[0].VX, 0.864e8);
  EXPECT_DOUBLE_EQ(run.state.Bodies[1].VX, -0.864e8);
}

TEST(SimInitDrift, ALoneBodyStandsStill) {
  SimRun run;
  run.Load({MakeRecord("A", 3, 1e11, 2e11, 25000, 33)});
  EXPECT_NEAR(run.state.Bodies[0].VX, 0, 1e-6);
  EXPECT_NEAR(run.state.Bodies[0].VY, 0, 1e-6);
}

TEST(SimInitDrift, TotalMomentumIsZeroAndPositionsStay) {
  SimRun run;
  run.Load({MakeRecord("A", 1, 1e11, 0, 30000, 90), MakeRecord("B", 2, -3e11, 1e10, 12000, 200),
            MakeRecord("C", 0.5, 0, -7e11, 5000, -10)});
  double px = 0, py = 0, scale = 0;
  for (const Body& b : run.state.Bodies) {
    px += b.Mass * b.VX;
    py += b.Mass * b.VY;
    scale += b.Mass * (std::fabs(b.VX) + std::fabs(b.VY));
  }
  EXPECT_NEAR(px / scale, 0, 1e-15);
  EXPECT_NEAR(py / scale, 0, 1e-15);
  EXPECT_EQ(run.state.Bodies[1].X, -3e11);
  EXPECT_EQ(run.state.Bodies[2].Y, -7e11);
}

TEST(SimInitState, KeepsNamesColoursAndOrderAndStartsTheCountAtZero) {
  SimRun run;
  run.state.StepCount = 99;
  run.Load(
      {MakeRecord("Erde", 1, 0, 0, 0, 0, 0x00FF8000), MakeRecord("Mond", 0.0123, 3.84e8, 0, 0, 0, kWhite)});
  ASSERT_EQ(run.state.Bodies.size(), 2u);
  EXPECT_EQ(run.state.Bodies[0].Name, "Erde           ");
  EXPECT_EQ(run.state.Bodies[0].Color, 0x00FF8000);
  EXPECT_EQ(run.state.Bodies[1].Color, 0x00FFFFFF);  // colour 0 in the file
  EXPECT_EQ(run.state.StepCount, 0);
  EXPECT_EQ(run.state.BodyFile, run.kBodyPath);
}

TEST(SimInitView, TheDefaultSkySpansMinusOneToOneAU) {
  SimRun run;
  run.Load({MakeRecord("A", 1, 0, 0, 0, 0)});
  EXPECT_EQ(run.state.ViewWidth, 2);
  EXPECT_EQ(run.state.ViewHeight, 2);
  EXPECT_DOUBLE_EQ(run.canvas.UserX(0), -1);
  EXPECT_DOUBLE_EQ(run.canvas.UserX(200), 1);
  EXPECT_DOUBLE_EQ(run.canvas.UserY(0), -1);
  EXPECT_DOUBLE_EQ(run.canvas.UserY(200), 1);
}

// Without "rund" the sky is stretched to the window; with it, one scale
// shows at least the whole sky, and more of it along the longer side.
TEST(SimInitView, TheSkyIsStretchedToTheWindowWhateverItsShapeUnlessRound) {
  const struct {
    const char* rund;
    const char* breite;
    const char* hoehe;
    double right, bottom;
  } views[] = {{"False", "6", "1", 3, 0.5}, {"True", "6", "1", 3, 1}, {"True", "1", "1", 1.5, 0.5},
               {"True", "-6", "1", -3, 1}};
  for (const auto& view : views) {
    SimRun run;
    run.canvas.Resize(300, 100);
    run.store.values[kKeyRund] = view.rund;
    run.store.values[kKeyBreite] = view.breite;
    run.store.values[kKeyHoehe] = view.hoehe;
    run.Load({MakeRecord("A", 1, 0, 0, 0, 0)});
    EXPECT_DOUBLE_EQ(run.canvas.UserX(300), view.right) << view.rund << view.breite;
    EXPECT_DOUBLE_EQ(run.canvas.UserX(0), -view.right) << view.rund << view.breite;
    EXPECT_DOUBLE_EQ(run.canvas.UserY(100), view.bottom) << view.rund << view.breite;
    EXPECT_EQ(run.state.ViewWidth, std::stod(view.breite));  // the sky to keep is still the stored one
  }
}

TEST(SimInitView, ANegativeWidthMirrorsTheXAxis) {
  SimRun run;
  run.store.values[kKeyRund] = "False";  // the canvas is square anyway; the mirror alone counts
  run.store.values[kKeyBreite] = "-4";
  run.Load({MakeRecord("A", 1, 0, 0, 0, 0)});
  EXPECT_DOUBLE_EQ(run.canvas.UserX(0), 2);
  EXPECT_DOUBLE_EQ(run.canvas.UserX(200), -2);
  EXPECT_DOUBLE_EQ(run.canvas.UserY(0), -1);
}

TEST(SimInitLimits, LoadsTheLargestNumberOfBodies) {
  SimRun run;
  std::vector<BodyRecord> records(32766, MakeRecord("Staub", 1, 0, 0, 0, 0));
  run.Load(records);
  EXPECT_EQ(run.state.Bodies.size(), 32766u);
}

TEST(SimInitLimits, RefusesOneBodyMore) {
  SimRun run;
  std::vector<BodyRecord> records(32767, MakeRecord("Staub", 1, 0, 0, 0, 0));
  EXPECT_TRUE(Contains(LoadError(run, records), "mehr als 32766 Körper"));
}

TEST(SimInitErrors, AMissingBodyFileIsNamedAndNotCreated) {
  SimRun run;
  run.store.values[kKeyDatei] = "/data/Fehlt.zel";
  const std::string message = run.SetUpError();
  EXPECT_TRUE(Contains(message, "Die Zelor-Datei „/data/Fehlt.zel“ konnte nicht geöffnet werden."));
  EXPECT_FALSE(run.files.Exists("/data/Fehlt.zel"));
  EXPECT_EQ(run.files.Changes(), 0);
}

TEST(SimInitErrors, AFolderNamedAsTheBodyFileCannotBeOpened) {
  SimRun run;
  run.files.folders.insert("/data/sterne.zel");
  run.store.values[kKeyDatei] = "/data/sterne.zel";
  EXPECT_TRUE(Contains(run.SetUpError(), "„/data/sterne.zel“ konnte nicht geöffnet werden"));
}

TEST(SimInitErrors, AFileWithoutAWholeRecordIsRefused) {
  SimRun run;
  run.files.files[run.kBodyPath] = std::vector<unsigned char>(58, 1);
  EXPECT_TRUE(Contains(run.SetUpError(),
                       "„/data/bodies.zel“ enthält keinen vollständigen Datensatz (59 Bytes je Körper)"));
  run.files.files[run.kBodyPath].clear();
  EXPECT_TRUE(Contains(run.SetUpError(), "keinen vollständigen Datensatz"));
}

TEST(SimInitErrors, ATotalMassOfZeroIsRefused) {
  SimRun run;
  EXPECT_TRUE(Contains(LoadError(run, {MakeRecord("A", 0, 0, 0, 0, 0), MakeRecord("B", 0, 1e11, 0, 0, 0)}),
                       "Die Gesamtmasse der Körper in der Zelor-Datei „/data/bodies.zel“ ist 0"));
}

// A NUL in a name would end the message where the platform reads it as a C
// string; a newline would break it up.
TEST(SimInitErrors, ControlCharactersInANameDoNotCutTheMessage) {
  SimRun run;
  const std::string message =
      LoadError(run, {MakeRecord(std::string("Er\0d\ne", 6), std::numeric_limits<double>::infinity(), 0, 0, 0, 0)});
  EXPECT_TRUE(Contains(message, "Datensatz 1 („Er?d?e“) bei „Masse“ keinen gültigen Wert"));
  EXPECT_EQ(message.find('\0'), std::string::npos);
}

TEST(SimInitErrors, ANonFiniteValueNamesTheRecordAndTheField) {
  SimRun run;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(
      Contains(LoadError(run, {MakeRecord("A", 1, 0, 0, 0, 0), MakeRecord("Geist", nan, 0, 0, 0, 0)}),
               "„/data/bodies.zel“ enthält im Datensatz 2 („Geist“) bei „Masse“ keinen gültigen Wert"));
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(
      Contains(LoadError(run, {MakeRecord("A", 1, 0, 0, 0, -inf)}), "Datensatz 1 („A“) bei „Richtung“"));
}

TEST(SimInitErrors, AnOverflowingVelocityIsAnArithmeticFault) {
  SimRun run;
  const std::string message = LoadError(run, {MakeRecord("Blitz", 1, 0, 0, 1e305, 0)});
  EXPECT_TRUE(Contains(message, "Rechenfehler (Überlauf, Division durch null oder ungültige Operation)"));
  EXPECT_TRUE(Contains(message, "Datensatz 1 („Blitz“)"));
  // Each value fits, but mass times velocity does not.
  EXPECT_TRUE(Contains(LoadError(run, {MakeRecord("Riese", 1e200, 0, 0, 1e200, 0), MakeRecord("B", 1, 1e11, 0, 0, 0)}),
                       "beim Ausgleichen der Bewegung des Schwerpunkts"));
}

TEST(SimInitErrors, AFailedSetUpLeavesTheStateAndTheViewAsTheyWere) {
  SimRun run;
  run.Load({MakeRecord("A", 1, 0, 0, 0, 0)});
  run.store.values[kKeyBreite] = "8";
  run.files.files[run.kBodyPath].clear();
  EXPECT_NE(run.SetUpError(), "");
  EXPECT_EQ(run.state.Bodies.size(), 1u);
  EXPECT_EQ(run.state.ViewWidth, 2);
  EXPECT_DOUBLE_EQ(run.canvas.UserX(0), -1);
}

}  // namespace
}  // namespace zelor
