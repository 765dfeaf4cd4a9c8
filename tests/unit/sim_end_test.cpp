// What the end of a run decides (SimEnd): the records, who escapes, the next
// sky and whether to save; nothing here writes.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/sky_fit.h"
#include "sim/units.h"
#include "sim_test_support.h"
#include "sim_end_fixture.h"

namespace zelor {
namespace {

// The star stays (at rest in the planet's pull); the planet's velocity decides.
BodyRecord PlanetRecordFor(double vx, double vy) {
  const End end({At(kSun, 0, 0), At(1, 1, 0, vx, vy)});
  const auto records = end.Decide().records;
  if (records.size() != 2) throw std::logic_error("the planet escaped");
  return records[1];
}

TEST(SimEndDirection, OnTheAxes) {
  EXPECT_EQ(PlanetRecordFor(0, 20000).Direction, 90);
  EXPECT_EQ(PlanetRecordFor(0, -20000).Direction, -90);  // not 270
  EXPECT_EQ(PlanetRecordFor(-20000, 0).Direction, 180);
  EXPECT_EQ(PlanetRecordFor(20000, 0).Direction, 0);
}

TEST(SimEndDirection, InEachQuadrant) {
  EXPECT_DOUBLE_EQ(PlanetRecordFor(10000, -10000).Direction, -45);
  EXPECT_DOUBLE_EQ(PlanetRecordFor(10000, 10000).Direction, 45);
  EXPECT_DOUBLE_EQ(PlanetRecordFor(-10000, 10000).Direction, 135);
  EXPECT_DOUBLE_EQ(PlanetRecordFor(-10000, -10000).Direction, 225);
}

TEST(SimEndRecord, HoldsTheSpeedInMetresPerSecondAndTheBodysOwnFields) {
  End end({At(kSun, 0, 0), At(1, 1, -0.5, 3000, 4000, 0x00336699)});
  end.state.Bodies[1].Name = "Erde           ";
  end.state.SimInterval = 2;
  end.state.Bodies[1].VX = 3000 * 172800.0;
  end.state.Bodies[1].VY = 4000 * 172800.0;
  const BodyRecord planet = end.Decide().records.at(1);
  EXPECT_EQ(planet.Name, "Erde           ");
  EXPECT_EQ(planet.Mass, 1);
  EXPECT_EQ(planet.X, kAU);
  EXPECT_EQ(planet.Y, -0.5 * kAU);
  EXPECT_DOUBLE_EQ(planet.Speed, 5000);
  EXPECT_EQ(planet.Color, 0x00336699);
}

TEST(SimEndRecord, ABodyAtRestInAPullStaysWithSpeedAndDirectionZero) {
  const BodyRecord planet = PlanetRecordFor(0, 0);
  EXPECT_EQ(planet.Speed, 0);
  EXPECT_EQ(planet.Direction, 0);
}

TEST(SimEndRecord, AFieldThatCannotBeComputedKeepsThePreviousRecordsValue) {
  // The second planet's speed and direction overflow; the test that cannot be
  // decided keeps it, and it takes the first planet's values.
  const End end({At(kSun, 0, 0), At(1, 1, 0, 0, 20000), MakeBody(1, 0, kAU, 1e-300, 1e300)});
  const auto records = end.Decide().records;
  ASSERT_EQ(records.size(), 3u);
  EXPECT_NEAR(records[2].Speed, 20000, 1e-6);
  EXPECT_EQ(records[2].Direction, 90);
  EXPECT_EQ(records[2].Y, kAU);
}

TEST(SimEndEscape, ComparesTheKineticEnergyWithTheDepthOfThePotential) {
  // At 1 AU from the Sun the escape speed is about 42 km/s; comparing half
  // the speed itself with the depth would keep both planets.
  const End end({At(kSun, 0, 0), At(1, 1, 0, 0, 41000), At(1, -1, 0, 0, 43000)});
  const auto records = end.Decide().records;
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].X, kAU);
}

TEST(SimEndEscape, BodiesAtTheSamePlaceAddNothingToEachOthersDepth) {
  // Just above the escape speed from the Sun; a pull from the partner at
  // distance 0 would have held them.
  const End end({At(kSun, 0, 0), At(5, 1, 0, 0, 43000), At(5, 1, 0, 0, 43000)});
  EXPECT_EQ(end.Decide().records.size(), 1u);
}

// A file of 5,000 bodies weighs its pairs through a tree, so that the end of
// the run takes milliseconds: probes of no mass, all over the crowd, 0.1 %
// below their escape speed stay and 0.1 % above it go, against the depth
// summed over every body here.
TEST(SimEndEscape, ALargeFileDecidesWithinATenthOfAPercentOfEveryPairsDepth) {
  std::vector<Body> bodies;
  unsigned seed = 7;
  const auto uniform = [&] { return (seed = seed * 1103515245u + 12345u) / 4294967296.0; };
  for (int k = 0; k < 5000; ++k) bodies.push_back(At(1 + k % 3, 40 * uniform() - 20, 30 * uniform() - 15));
  const std::size_t crowd = bodies.size();
  for (int p = 0; p < 40; ++p) {
    const double x = 36 * uniform() - 18, y = 26 * uniform() - 13;
    double depth = 0;
    for (std::size_t j = 0; j < crowd; ++j)
      depth += kGravitationalConstant * kKgPerEarthMass * bodies[j].Mass /
               std::hypot(x * kAU - bodies[j].X, y * kAU - bodies[j].Y);
    bodies.push_back(At(0, x, y, 0, (p % 2 ? 1.001 : 0.999) * std::sqrt(2 * depth)));
  }
  const End end(bodies);
  const auto records = end.Decide().records;
  ASSERT_EQ(records.size(), crowd + 20);
  for (std::size_t k = crowd; k < records.size(); ++k)
    EXPECT_EQ(records[k].X, bodies[crowd + 2 * (k - crowd)].X) << "probe " << 2 * (k - crowd) << " went";
}

TEST(SimEndEscape, AnIntervalOfZeroKeepsEveryBody) {
  End end({At(1, 0.3, 0), At(1, 0.7, 0)});
  end.state.SimInterval = 0;
  const auto records = end.Decide().records;
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Speed, 0);
  EXPECT_EQ(records[1].Speed, 0);
}

// Whether the results are written decides the next sky, and only the caller
// learns whether they were: both skies come back. The comet escapes; saved,
// the 7 by 3 sky shrinks to the others' 2 AU, unsaved it stays as it was.
TEST(SimEndDecision, GivesTheSkyForASavedAndForAnUnsavedEnd) {
  End end({At(kSun, 0, 0), At(1, 1, 0, 0, 30000), At(1, -1, 0.25, 0, -30000), At(1, 5, 0, 0, 100000)});
  end.state.ViewWidth = 7;
  const EndOfRun decided = end.Decide();
  EXPECT_EQ(decided.skyIfSaved.width, 2);
  EXPECT_EQ(decided.skyIfSaved.height, 0.858);
  EXPECT_EQ(decided.skyIfNotSaved.width, 7);
  EXPECT_EQ(decided.skyIfNotSaved.height, 3);
  EXPECT_EQ(end.state.ViewWidth, 7);  // the state is the caller's to change
}

// A newly chosen body file gets a sky that holds its bodies at the start, in
// the shape of the sky set before, rounded up as the end of a run rounds.
TEST(SkyForABodyFile, HoldsTheBodiesInTheShapeSetBeforeOrIsNone) {
  // Masses 3.1 and 1 at -1e11 and 3.1e11 m: the centre of mass is the origin
  // and the far one is 3.1e11 m from it, so 4.1333 AU across at the least;
  // a 2 by 1 sky then grows to 8.2667 by 4.1333, rounded up to 8.27 by 4.14.
  const std::vector<BodyRecord> pair{MakeRecord("A", 3.1, -1e11, 0, 0, 0), MakeRecord("B", 1, 3.1e11, 0, 0, 0)};
  const struct {
    const char* what;
    std::vector<BodyRecord> bodies;
    Sky shape;
    std::optional<Sky> sky;
  } cases[] = {
      {"a pair around the origin", pair, {2, 1}, Sky{8.27, 4.14}},
      {"a mirrored axis stays mirrored", pair, {-2, 1}, Sky{-8.27, 4.14}},
      {"the old sky far too big for them", pair, {55.4, 41.6}, Sky{5.51, 4.14}},
      // Two equal masses at 1 and 3 AU: the sky, centred on the origin, must
      // reach the far one, 3 AU out.
      {"a centre of mass off the origin", {MakeRecord("A", 1, kAU, 0, 0, 0), MakeRecord("B", 1, 3 * kAU, 0, 0, 0)},
       {1, 1}, Sky{6, 6}},
      {"all at one place", {MakeRecord("A", 1, kAU, 0, 0, 0), MakeRecord("B", 2, kAU, 0, 0, 0)}, {1, 1}, std::nullopt},
      {"no mass, so no centre", {MakeRecord("A", 0, 0, 0, 0, 0), MakeRecord("B", 0, kAU, 0, 0, 0)}, {1, 1},
       std::nullopt},
      {"a position that is no number", {pair[0], MakeRecord("B", 1, std::nan(""), 0, 0, 0)}, {1, 1}, std::nullopt},
      {"no body", {}, {1, 1}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFileSystem files;
    files.files["/data/neu.zel"] = BodyFileBytes(c.bodies);
    const std::optional<Sky> sky = SkyHoldingBodyFile(files, "/data/neu.zel", c.shape);
    ASSERT_EQ(sky.has_value(), c.sky.has_value());
    if (!sky) continue;
    EXPECT_EQ(sky->width, c.sky->width);
    EXPECT_EQ(sky->height, c.sky->height);
  }
  FakeFileSystem none;
  EXPECT_FALSE(SkyHoldingBodyFile(none, "/data/fehlt.zel", {1, 1}));
}

struct SaveCase {
  const char* what;
  std::vector<Body> bodies;
  bool asked;
  std::string path;
  bool saves;
};

TEST(SimEndDecision, SavesOnlyWhenAskedToAPathAndTheBodiesThatStayCanStartARun) {
  const SaveCase cases[] = {
      {"asked", {At(kSun, 0, 0), At(1, 1, 0, 0, 30000)}, true, kResults, true},
      {"not asked", {At(kSun, 0, 0), At(1, 1, 0, 0, 30000)}, false, kResults, false},
      {"no path", {At(kSun, 0, 0), At(1, 1, 0, 0, 30000)}, true, "", false},
      {"a lone body escapes", {At(1, 0.3, 0.2)}, true, kResults, false},
      {"only a massless probe stays", {At(kSun, 0, 0), At(0, 1, 0, 0, 30000)}, true, kResults, false},
  };
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.what);
    const End end(c.bodies);
    EXPECT_EQ(end.Decide(c.asked, c.path).saveResults, c.saves);
  }
}
}  // namespace
}  // namespace zelor
