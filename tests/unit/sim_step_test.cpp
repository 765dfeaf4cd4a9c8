#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "common/zelor_error.h"
#include "sim_test_support.h"

namespace zelor {
namespace {

constexpr double kAU = 1.5e11;
constexpr std::uint32_t kWhitePixel = 0x00FFFFFF;

// A state built by hand; the canvas shows 4 by 4 AU on 200 by 200 pixels,
// so one pixel is 0.02 AU and the origin is pixel (100, 100).
struct Step {
  explicit Step(std::vector<Body> bodies, double interval = 1, double view = 4) {
    state.Bodies = std::move(bodies);
    state.SimInterval = interval;
    state.ViewWidth = state.ViewHeight = view;
    canvas.Resize(200, 200);
    canvas.SetUserScale(-2, -2, 2, 2);
  }
  void Run(int steps = 1) {
    for (int k = 0; k < steps; ++k) SimStep(state, canvas);
  }
  std::string Fault() {
    try {
      Run();
    } catch (const ZelorError& e) {
      return e.what();
    }
    return "";
  }
  SimState state;
  Canvas canvas;
};

double MomentumX(const SimState& s) {
  double sum = 0;
  for (const Body& b : s.Bodies) sum += b.Mass * b.VX;
  return sum;
}
double MomentumY(const SimState& s) {
  double sum = 0;
  for (const Body& b : s.Bodies) sum += b.Mass * b.VY;
  return sum;
}

TEST(SimStepGravity, WorkedStepOfOneEarthMassAndAProbeOneAUAway) {
  Step step({MakeBody(1, 0, 0, 0, 0), MakeBody(0, kAU, 0, 0, 0)});
  step.Run();
  const double K = 2.976024996864e24;  // 86400² × 3.986659e14
  const Body& earth = step.state.Bodies[0];
  const Body& probe = step.state.Bodies[1];
  EXPECT_EQ(earth.VX, 0);  // a body of mass 0 pulls nothing
  EXPECT_EQ(earth.X, 0);
  EXPECT_DOUBLE_EQ(probe.VX, -K / (kAU * kAU));
  EXPECT_NEAR(probe.VX, -132.268, 0.001);
  EXPECT_EQ(probe.VY, 0);
  EXPECT_EQ(probe.X, kAU + probe.VX);
  EXPECT_EQ(TimeLabel(step.state, kEnglishLocale), "1");
}

TEST(SimStepGravity, BodiesAtTheSamePlaceDoNotPullEachOtherButOthersPullThem) {
  Step step({MakeBody(5, 0, 0, 0, 0), MakeBody(5, 0, 0, 0, 0), MakeBody(5, 0, kAU, 0, 0)});
  ASSERT_EQ(step.Fault(), "");
  EXPECT_EQ(step.state.Bodies[0].VX, 0);
  EXPECT_GT(step.state.Bodies[0].VY, 0);  // towards the third body, below them
  EXPECT_EQ(step.state.Bodies[0].VY, step.state.Bodies[1].VY);
}

TEST(SimStepGravity, AProbeOfMassZeroMovesNobody) {
  Step step({MakeBody(1000, 0, 0, 0, 0), MakeBody(0, 1e10, 2e10, 0, 0)});
  step.Run(3);
  EXPECT_EQ(step.state.Bodies[0].VX, 0);
  EXPECT_EQ(step.state.Bodies[0].VY, 0);
  EXPECT_LT(step.state.Bodies[1].VX, 0);
  EXPECT_LT(step.state.Bodies[1].VY, 0);
}

TEST(SimStepGravity, AStepKeepsTheTotalMomentum) {
  Step step({MakeBody(1, 1e11, 0, 2e9, -1e9), MakeBody(2.5, -2e11, 3e10, -5e8, 7e8),
             MakeBody(0.7, 4e10, -9e10, 1e9, 3e9)});
  const double beforeX = MomentumX(step.state), beforeY = MomentumY(step.state);
  step.Run();
  // The changes per body are about 1e7 here; what is left of them in the sum is rounding.
  EXPECT_NEAR(MomentumX(step.state), beforeX, 1e-3);
  EXPECT_NEAR(MomentumY(step.state), beforeY, 1e-3);
  EXPECT_NE(step.state.Bodies[0].VX, 2e9);  // the step did change velocities
}

TEST(SimStepGravity, EachBodyGainsTheOppositeMomentumOfItsPartner) {
  Step step({MakeBody(3, 0, 0, 0, 0), MakeBody(1, 1e11, 5e10, 0, 0)});
  step.Run();
  const Body& a = step.state.Bodies[0];
  const Body& b = step.state.Bodies[1];
  EXPECT_DOUBLE_EQ(a.VX * 3, -b.VX * 1);
  EXPECT_DOUBLE_EQ(a.VY * 3, -b.VY * 1);
}

// A planet of one Earth mass on a circle of 1 AU round a star of one solar
// mass, 0.01 days per step: after one period both are back where they began.
TEST(SimStepGravity, ACircularOrbitClosesAfterOnePeriod) {
  SimRun run;
  const double sun = 332946, radius = kAU;
  const double mu = 3.986659e14 * (sun + 1);
  const double speed = std::sqrt(mu / radius);
  run.Load({MakeRecord("Stern", sun, 0, 0, 0, 0), MakeRecord("Planet", 1, radius, 0, speed, 90)}, "0.01");
  const double period = 2 * std::acos(-1.0) * std::sqrt(radius * radius * radius / mu) / 86400;  // days
  const Body start = run.state.Bodies[1];
  const auto steps = static_cast<long>(std::lround(period / 0.01));
  double farthest = 0;
  for (long k = 0; k < steps; ++k) {
    SimStep(run.state, run.canvas);
    farthest =
        std::max(farthest, std::hypot(run.state.Bodies[1].X - start.X, run.state.Bodies[1].Y - start.Y));
  }
  const Body& end = run.state.Bodies[1];
  EXPECT_NEAR(farthest, 2 * radius, 0.001 * radius);  // it went round, not astray
  // Within 1e-5 AU of its start (a step is 1.7e-4 AU long; the method itself
  // misses by about 2e-7 AU here), and still on the circle.
  EXPECT_LT(std::hypot(end.X - start.X, end.Y - start.Y), 1e-5 * radius);
  EXPECT_NEAR(std::hypot(end.X - run.state.Bodies[0].X, end.Y - run.state.Bodies[0].Y), radius,
              1e-8 * radius);
}

TEST(SimStepDrawing, ALoneBodyMovesAlongAStraightDrawnLine) {
  Step step({MakeBody(1, 0, 0, 0.5 * kAU, 0, 0x000000FF)});
  step.Run(2);
  EXPECT_EQ(step.state.Bodies[0].X, kAU);
  EXPECT_EQ(step.state.Bodies[0].Y, 0);
  for (int x : {100, 112, 125, 137, 150}) EXPECT_EQ(step.canvas.PixelAt(x, 100), 0x00FF0000u) << x;
  EXPECT_EQ(step.canvas.PixelAt(151, 100), 0u);  // the next step's stretch is not drawn yet
  EXPECT_EQ(step.canvas.PixelAt(125, 101), 0u);
}

// At every accuracy: two massless bodies, one going right and one down, are
// drawn along their paths from where they were to where they are, and
// nowhere else (each a hair off the pixels' edges).
TEST(SimStepDrawing, TwoBodiesAreDrawnAlongTheirPathsAndNowhereElse) {
  for (const int accuracy : {1, 4}) {
    Step step({MakeBody(0, 0.01 * kAU, 0.01 * kAU, 0.5 * kAU, 0), MakeBody(0, -0.99 * kAU, 0.51 * kAU, 0, 0.25 * kAU)});
    step.state.Values.Set(kKeyGenauigkeit, accuracy);
    step.Run(2);
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x) {
        const bool onPath = (y == 100 && x >= 100 && x <= 150) || (x == 50 && y >= 125 && y <= 150);
        ASSERT_EQ(step.canvas.PixelAt(x, y) != 0, onPath) << x << "," << y << " at accuracy " << accuracy;
      }
  }
}

// A sky of 1e-305 AU: the ends of a stretch of 100 AU lie too far apart in
// pixels to be placed, so the stretch is left out; the point where the body
// was, a hair off the middle both ways, still shows at every accuracy.
TEST(SimStepDrawing, WhereAStretchCannotBePlacedThePointWhereTheBodyWasShows) {
  for (const int accuracy : {1, 4}) {
    Step step({MakeBody(0, 1e-40, 1e-40, 100 * kAU, 0)});
    step.state.Values.Set(kKeyGenauigkeit, accuracy);
    step.canvas.SetUserScale(-5e-306, -5e-306, 5e-306, 5e-306);
    step.canvas.TakeDirty();
    step.Run();
    const PixelRect drawn = step.canvas.TakeDirty();
    EXPECT_TRUE(drawn.left <= 100 && 100 < drawn.right && drawn.top <= 100 && 100 < drawn.bottom)
        << drawn.left << ".." << drawn.right << " at accuracy " << accuracy;
  }
}

TEST(SimStepDrawing, TheWorkedStepDrawsBothBodiesWhereTheyWere) {
  Step step({MakeBody(1, 0, 0, 0, 0), MakeBody(0, kAU, 0, 0, 0)});
  step.Run();
  EXPECT_EQ(step.canvas.PixelAt(100, 100), kWhitePixel);
  EXPECT_EQ(step.canvas.PixelAt(150, 100), kWhitePixel);
}

// Out along both axes and back across them: the reach is the farthest point
// on each axis, not the last one, and the shown sky does not change.
TEST(SimStepReach, KeepsEachBodysLargestDistanceFromEachAxis) {
  Step step({MakeBody(0, 0, 0, 1e11, -2e11)}, 1, 2);
  step.Run(2);  // at (2e11, -4e11)
  step.state.Bodies[0].VX = -1e11;
  step.state.Bodies[0].VY = 2e11;
  step.Run(3);  // at (-1e11, 2e11)
  EXPECT_EQ(step.state.Bodies[0].ReachX, 2e11);
  EXPECT_EQ(step.state.Bodies[0].ReachY, 4e11);
  EXPECT_EQ(step.state.ViewWidth, 2);
  EXPECT_EQ(step.state.ViewHeight, 2);
  EXPECT_DOUBLE_EQ(step.canvas.UserY(0), -2);
}

TEST(SimStepTime, TheLabelShowsStepsTimesTheInterval) {
  Step step({MakeBody(1, 0, 0, 0, 0)}, 2);
  EXPECT_EQ(TimeLabel(step.state, kEnglishLocale), "0");
  step.Run();
  EXPECT_EQ(TimeLabel(step.state, kEnglishLocale), "2");
  step.Run(4);
  EXPECT_EQ(TimeLabel(step.state, kEnglishLocale), "10");
}

TEST(SimStepTime, ThreeStepsOfATenthShowThreeTenthsInEitherLocale) {
  Step step({MakeBody(1, 0, 0, 0, 0)}, 0.1);
  step.Run(3);
  EXPECT_EQ(TimeLabel(step.state, kEnglishLocale), "0.3");
  EXPECT_EQ(TimeLabel(step.state, kGermanLocale), "0,3");
}

TEST(SimStepTime, TheCountGoesOnPastThirtyTwoBits) {
  Step step({MakeBody(1, 0, 0, 0, 0)}, 1);
  step.state.StepCount = 2147483647;
  ASSERT_EQ(step.Fault(), "");
  EXPECT_EQ(step.state.StepCount, 2147483648);
  EXPECT_EQ(TimeLabel(step.state, kEnglishLocale), "2147483648");
  // The last step there is room to count is made; the one after it stops.
  step.state.StepCount = std::numeric_limits<std::int64_t>::max() - 1;
  ASSERT_EQ(step.Fault(), "");
  EXPECT_EQ(step.state.StepCount, std::numeric_limits<std::int64_t>::max());
  EXPECT_TRUE(Contains(step.Fault(), "Schrittzähler der Simulation ist übergelaufen"));
  EXPECT_EQ(step.state.StepCount, std::numeric_limits<std::int64_t>::max());
}

// The run's settings refuse an interval of 0; the simulation given one stands still.
TEST(SimStepInterval, ZeroMovesNothingAndTheTimeStandsStill) {
  SimRun run;
  run.files.files[run.kBodyPath] =
      BodyFileBytes({MakeRecord("A", 1, 0, 0, 30000, 0), MakeRecord("B", 1, kAU, 0, 30000, 90)});
  SimInit(run.state, RunConfig{run.kBodyPath, 4, 2, 0}, run.files, run.canvas);
  for (int k = 0; k < 3; ++k) SimStep(run.state, run.canvas);
  EXPECT_EQ(run.state.Bodies[0].X, 0);
  EXPECT_EQ(run.state.Bodies[1].X, kAU);
  EXPECT_EQ(run.state.Bodies[1].Y, 0);
  EXPECT_EQ(TimeLabel(run.state, kEnglishLocale), "0");
  EXPECT_EQ(run.canvas.PixelAt(150, 100), kWhitePixel);  // a point where B stands
}

TEST(SimStepInterval, ANegativeIntervalRunsBackwardsAndGravityStillAttracts) {
  SimRun run;
  run.Load({MakeRecord("Stern", 332946, 0, 0, 0, 0), MakeRecord("Sonde", 0, kAU, 0, 1000, 90)}, "-2");
  EXPECT_LT(run.state.Bodies[1].VY, 0);  // the motion of set-up points back
  SimStep(run.state, run.canvas);
  EXPECT_LT(run.state.Bodies[1].VX, 0);  // pulled towards the star
  EXPECT_LT(run.state.Bodies[1].X, kAU);
  EXPECT_EQ(TimeLabel(run.state, kGermanLocale), "-2");
}

// With the exact kernel and with the tree of large files alike.
TEST(SimStepFaults, AnOverflowInTheGravityPhaseStopsTheRun) {
  for (bool tree : {false, true}) {
    Step step({MakeBody(1e300, 0, 0, 0, 0), MakeBody(1e300, 1, 0, 0, 0)});
    step.state.Gravity.tree = tree;
    const std::string message = step.Fault();
    EXPECT_TRUE(Contains(message,
                         "Rechenfehler (Überlauf, Division durch null oder ungültige Operation) "
                         "im Simulationsschritt 1 bei der Schwerkraft"))
        << "tree: " << tree;
    EXPECT_EQ(step.state.StepCount, 0);
  }
}

TEST(SimStepFaults, AnOverflowInAStepInPiecesStopsTheRunToo) {
  Step step({MakeBody(1e300, 0, 0, 0, 0), MakeBody(1e300, 1, 0, 0, 0)});
  StepInPieces pieces(1, 1);
  try {
    pieces.Continue(step.state, step.canvas, [] { return true; });
    FAIL() << "no fault";
  } catch (const ZelorError& error) {
    EXPECT_TRUE(Contains(error.what(), "im Simulationsschritt 1 bei der Schwerkraft"));
    EXPECT_EQ(error.Cause(), ErrorCause::ArithmeticFault);
  }
  EXPECT_EQ(step.state.StepCount, 0);
}

void ExpectSameStateAndPicture(const Step& whole, const Step& pieces) {
  ASSERT_EQ(pieces.state.StepCount, whole.state.StepCount);
  for (std::size_t i = 0; i < whole.state.Bodies.size(); ++i) {
    const Body &a = whole.state.Bodies[i], &b = pieces.state.Bodies[i];
    const double wholeValues[] = {a.X, a.Y, a.VX, a.VY, a.ReachX, a.ReachY};
    const double pieceValues[] = {b.X, b.Y, b.VX, b.VY, b.ReachX, b.ReachY};
    ASSERT_EQ(std::memcmp(wholeValues, pieceValues, sizeof wholeValues), 0) << "body " << i;
  }
  EXPECT_EQ(std::memcmp(whole.canvas.Pixels(), pieces.canvas.Pixels(), 200 * 200 * sizeof(std::uint32_t)), 0);
}

// The step of the preview and of the saver, cut into pieces anywhere, gives
// what SimStep gives on all cores, bit for bit, classic and in substeps, by
// every pair and by the tree. A
// step dropped before its last piece leaves no trace in the state, the
// picture or the places drawn, and the next one starts afresh.
TEST(SimStepInPieces, GivesSimStepsStateAndPictureWhereverThePiecesEndAndADroppedStepLeavesNoTrace) {
  std::vector<Body> cloud;  // 300 bodies: 19 blocks of 16, and SimStep uses every core
  for (int k = 0; k < 300; ++k)
    cloud.push_back(MakeBody(1 + k % 7, (k % 20 - 10) * 0.09 * kAU + k, (k / 20 - 7) * 0.11 * kAU,
                             3e6 * (k % 3 - 1), 2e6 * (k % 5 - 2), 0x00102030 * (1 + k % 5)));
  for (const bool tree : {false, true}) {
    for (int substeps : {1, 3}) {
      Step probe(cloud);
      probe.state.Gravity.tree = tree;
      probe.state.Values.Set(kKeyGenauigkeit, substeps);
      // A piece each call: 19 blocks of bodies each gravity phase, or the tree's chunks.
      int blocksAStep = 1;
      for (StepInPieces counting(1, 1); !counting.Continue(probe.state, probe.canvas, [] { return false; });)
        ++blocksAStep;
      if (!tree) {
        EXPECT_EQ(blocksAStep, 19 * (substeps > 1 ? 3 * substeps : 1));
      }
      for (int blocksPerCall : {1, 7, 1000}) {
        SCOPED_TRACE(testing::Message() << (tree ? "tree, " : "") << substeps << " substeps, " << blocksPerCall
                                        << " pieces a call");
        Step whole(cloud), pieces(cloud);
        whole.state.Gravity.tree = pieces.state.Gravity.tree = tree;
        whole.state.Values.Set(kKeyGenauigkeit, substeps);
        pieces.state.Values.Set(kKeyGenauigkeit, substeps);
        StepInPieces step(1, 1);
        const auto stepUntil = [&](int count) {
          int calls = 0;
          while (pieces.state.StepCount < count) {
            int left = blocksPerCall;
            ++calls;
            step.Continue(pieces.state, pieces.canvas, [&] { return --left > 0; });
          }
          return calls;
        };
        whole.Run(1);
        stepUntil(1);
        ExpectSameStateAndPicture(whole, pieces);
        pieces.canvas.TakeDirtyAreas();
        int left = blocksAStep - 1;
        EXPECT_FALSE(step.Continue(pieces.state, pieces.canvas, [&] { return --left > 0; }));
        ExpectSameStateAndPicture(whole, pieces);
        EXPECT_TRUE(pieces.canvas.TakeDirtyAreas().empty());
        step.Drop(pieces.canvas);
        whole.Run(2);
        EXPECT_EQ(stepUntil(3), 2 * ((blocksAStep + blocksPerCall - 1) / blocksPerCall));
        ExpectSameStateAndPicture(whole, pieces);
      }
    }
  }
}

// Long before a position could overflow, it is beyond the range of the
// window's coordinates.
TEST(SimStepFaults, ABodyTooFarAwayToBeDrawnStopsTheRun) {
  Step step({MakeBody(0, 1.7e308, 0, 1.7e308, 0)});
  step.state.StepCount = 41;
  EXPECT_TRUE(Contains(step.Fault(), "im Simulationsschritt 42 beim Zeichnen der Bahnen"));
  EXPECT_EQ(step.state.Bodies[0].X, 1.7e308);
}

TEST(SimStepFaults, AnIntervalTooLongToSquareStopsTheRun) {
  Step step({MakeBody(1, 0, 0, 0, 0)}, 1e150);
  EXPECT_TRUE(Contains(step.Fault(), "bei der Schrittlänge"));
}

TEST(SimStepFaults, ADisplacementBeyondTheWindowsNumberRangeStopsTheRun) {
  Step step({MakeBody(0, 0, 0, 1e50, 0)});
  EXPECT_TRUE(Contains(step.Fault(), "beim Zeichnen der Bahnen"));
}

TEST(SimStepFaults, TheMessageNamesTheBodyFile) {
  Step step({MakeBody(0, 1.7e308, 0, 1.7e308, 0)});
  step.state.BodyFile = "C:\\Daten\\Test.zel";
  EXPECT_TRUE(Contains(step.Fault(), "Zelor-Datei „C:\\Daten\\Test.zel“"));
}

TEST(SimStepFaults, HugeMassesStopTheRunWithAMessage) {
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

TEST(SimStepFaults, AHugeIntervalStopsTheFirstStep) {
  SimRun run;
  run.Load({MakeRecord("A", 1, 0, 0, 0, 0), MakeRecord("B", 1, 1e11, 0, 0, 0)}, "1e300");
  EXPECT_THROW(SimStep(run.state, run.canvas), ZelorError);
}

TEST(SimStepGravity, NegativeMassesPushInsteadOfPulling) {
  SimRun run;
  run.Load({MakeRecord("A", 2, -1e10, 0, 0, 0), MakeRecord("B", -1, 1e10, 0, 0, 0)});
  for (int k = 0; k < 100; ++k) SimStep(run.state, run.canvas);
  EXPECT_LT(run.state.Bodies[0].X, -1e10);  // the lighter negative mass repels A
}

}  // namespace
}  // namespace zelor
