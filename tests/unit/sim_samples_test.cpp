// The sample body files that ship with the program: they load, and over a
// stretch of a run they do what they are there to show.
#include <gtest/gtest.h>

#include <cmath>

#include "sim_test_support.h"

namespace zelor {
namespace {

constexpr double kAU = 1.5e11;

// A run on a copy of the sample, with results saved to /data/Ergebnis.zel.
struct SampleRun : SimRun {
  explicit SampleRun(const std::string& name) {
    StdFileSystem disk;
    const auto bytes = disk.ReadFile(std::string(ZELOR_DATA_DIR) + "/" + name, 1 << 20);
    if (!bytes) return;
    files.files[kBodyPath] = *bytes;
    store.values[kKeySaveResults] = "True";
    store.values[kKeyResultsPath] = "/data/Ergebnis.zel";
    StartRun(state, settings, files, canvas, {});
    loaded = true;
  }
  std::vector<std::string> NamesAfter(int steps) {
    for (int k = 0; k < steps; ++k) SimStep(state, canvas);
    FinishRun(state, settings, files);
    std::vector<std::string> names;
    for (const BodyRecord& r : RecordsIn("/data/Ergebnis.zel")) names.push_back(r.Name);
    return names;
  }
  bool loaded = false;
};

#define LOAD_SAMPLE(run, name)                                                          \
  SampleRun run(name);                                                                  \
  if (!run.loaded) {                                                                    \
    /* Under Wine the source tree's path may not be reachable. */                       \
    ASSERT_TRUE(kMayLackDataFolder) << "cannot read " << ZELOR_DATA_DIR << "/" << name; \
    GTEST_SKIP();                                                                       \
  }

#ifdef _WIN32
constexpr bool kMayLackDataFolder = true;
#else
constexpr bool kMayLackDataFolder = false;
#endif

TEST(SampleFiles, VoyagersProbeEscapesWhileSunAndPlanetsStay) {
  LOAD_SAMPLE(run, "Voyager.zel");
  ASSERT_EQ(run.state.Bodies.size(), 10u);
  EXPECT_EQ(run.NamesAfter(3000),
            (std::vector<std::string>{"Sonne          ", "Merkur         ", "Venus          ",
                                      "Erde           ", "Mars           ", "Jupiter        ",
                                      "Saturn         ", "Uranus         ", "Neptun         "}));
}

TEST(SampleFiles, VoyagersProbeCrossesTheDefaultSky) {
  LOAD_SAMPLE(run, "Voyager.zel");
  double closest = 1e300;
  for (int k = 0; k < 200; ++k) {
    SimStep(run.state, run.canvas);
    closest = std::min(closest, std::hypot(run.state.Bodies[9].X, run.state.Bodies[9].Y));
  }
  EXPECT_LT(closest, 0.7 * kAU);
}

// The default set-up saves nothing, so every run starts from the same file
// with the sky the last one stored; the probe must not blow it up.
TEST(SampleFiles, VoyagersSkyStaysTheSolarSystemsRunAfterRun) {
  LOAD_SAMPLE(run, "Voyager.zel");
  run.store.values[kKeySaveResults] = "False";
  for (int round = 0; round < 5; ++round) {
    StartRun(run.state, run.settings, run.files, run.canvas, {});
    for (int k = 0; k < 3000; ++k) SimStep(run.state, run.canvas);
    FinishRun(run.state, run.settings, run.files);
    EXPECT_LT(std::stod(run.store.values[kKeyBreite]), 100) << round;
    EXPECT_LT(std::stod(run.store.values[kKeyHoehe]), 100) << round;
  }
}

TEST(SampleFiles, TheInnerPlanetsKeepTheirMoon) {
  LOAD_SAMPLE(run, "InnerPlanets.zel");
  ASSERT_EQ(run.state.Bodies.size(), 6u);
  for (int k = 0; k < 2000; ++k) SimStep(run.state, run.canvas);
  const Body& earth = run.state.Bodies[3];
  const Body& moon = run.state.Bodies[4];
  EXPECT_LT(std::hypot(moon.X - earth.X, moon.Y - earth.Y), 0.005 * kAU);
  EXPECT_EQ(run.NamesAfter(0).size(), 6u);
}

TEST(SampleFiles, TheBinaryStarAndTheFigureEightStayTogetherInTheDefaultSky) {
  for (const char* name : {"BinaryStar.zel", "FigureEight.zel"}) {
    SCOPED_TRACE(name);
    LOAD_SAMPLE(run, name);
    const std::size_t count = run.state.Bodies.size();
    for (int k = 0; k < 20000; ++k) SimStep(run.state, run.canvas);
    for (const Body& body : run.state.Bodies) {
      EXPECT_LE(body.ReachX, kAU);
      EXPECT_LE(body.ReachY, kAU);
    }
    EXPECT_EQ(run.NamesAfter(0).size(), count);
  }
}

}  // namespace
}  // namespace zelor
