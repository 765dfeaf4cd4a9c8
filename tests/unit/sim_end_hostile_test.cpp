// A run that ends normally must leave a configuration the next run starts
// from: the results file it points "Datei" at, and the sky size it stores.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/zelor_error.h"
#include "sim_test_support.h"

namespace zelor {
namespace {

constexpr double kSunMass = 332946;
const std::string kResultsPath = "/data/results.zel";

// Loads the bodies, runs a few steps and ends the run with saving on, then
// starts the next run from what was left; returns its German refusal, or an
// empty text when it started.
std::string NextRunAfter(const std::vector<BodyRecord>& records, const std::string& height = "2") {
  SimRun run;
  run.store.values[kKeyHoehe] = height;
  run.store.values[kKeySpeichern] = "True";
  run.store.values[kKeySpeicher] = kResultsPath;
  run.Load(records);
  for (int step = 0; step < 3; ++step) SimStep(run.state, run.canvas);
  SimEnd(run.state, run.settings, run.files);
  SimState next;
  try {
    SimInit(next, run.settings, run.files, run.canvas);
  } catch (const ZelorError& error) {
    return error.what();
  }
  return std::string();
}

TEST(SimEndHostile, ALoneBodyLeavesANextRunThatStarts) {
  EXPECT_EQ(NextRunAfter({MakeRecord("Sonne", kSunMass, 0, 0, 0, 0)}), "");
}

// The comet leaves; the sun, which only ever moved along the X axis, is left
// with Y exactly 0, so the refitted sky has no height.
TEST(SimEndHostile, ACometLeavingAlongTheXAxisLeavesANextRunThatStarts) {
  EXPECT_EQ(NextRunAfter({MakeRecord("Sonne", kSunMass, 0, 0, 0, 0),
                          MakeRecord("Komet", 1, 1e15, 0, 1e6, 0)}),
            "");
}

// A massless probe feels the sun, but the sun feels nothing and counts as
// escaping; the probe alone has no mass to move around.
TEST(SimEndHostile, ASunWithMasslessProbesLeavesANextRunThatStarts) {
  EXPECT_EQ(NextRunAfter({MakeRecord("Sonne", kSunMass, 0, 0, 0, 0),
                          MakeRecord("Sonde", 0, 1e11, 1e11, 0, 0)}),
            "");
}

// A negative height mirrors the sky; the sky then grows to twice the largest
// distance from the X axis in the first step, which is 0 when every body
// lies on it.
TEST(SimEndHostile, AMirroredSkyWithEveryBodyOnTheXAxisLeavesANextRunThatStarts) {
  EXPECT_EQ(NextRunAfter({MakeRecord("Sonne", kSunMass, 0, 0, 0, 0), MakeRecord("Erde", 1, 1e11, 0, 0, 0)}, "-2"),
            "");
}

}  // namespace
}  // namespace zelor
