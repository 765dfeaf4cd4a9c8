#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "sim/fp_faults.h"
#include "sim/gravity.h"
#include "sim_test_support.h"

namespace zelor {
namespace {

constexpr double kK = 2.976024996864e24;  // one day per step
constexpr double kAU = 1.5e11;

// Planets, moons and probes: every third body shares its place with an
// earlier one, every fifth has no mass, some displacements are -0.
std::vector<Body> RandomBodies(unsigned seed, std::size_t n) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> position(-40 * kAU, 40 * kAU), speed(-1e7, 1e7), exponent(-3, 6);
  std::vector<Body> bodies;
  for (std::size_t i = 0; i < n; ++i) {
    Body b = MakeBody(std::pow(10.0, exponent(random)), position(random), position(random), speed(random), speed(random));
    if (i % 3 == 2) {
      b.X = bodies[i / 2].X;
      b.Y = bodies[i / 2].Y;
    }
    if (i % 5 == 4) b.Mass = 0;
    if (i % 7 == 6) b.VX = -0.0;
    bodies.push_back(b);
  }
  return bodies;
}

struct Outcome {
  std::vector<double> vx, vy;
  bool fault;
};

Outcome Of(const std::vector<Body>& bodies, bool fault) {
  Outcome o{{}, {}, fault};
  for (const Body& b : bodies) {
    o.vx.push_back(b.VX);
    o.vy.push_back(b.VY);
  }
  return o;
}

Outcome PlainLoop(std::vector<Body> bodies, double K = kK) {
  ClearFloatFaults();
  GravityPhaseScalar(bodies, K);
  const bool fault = FloatFaultRaised();
  return Of(bodies, fault);
}

Outcome Kernel(std::vector<Body> bodies, GravityPlan plan, double K = kK) {
  const bool fault = GravityPhase(bodies, K, plan);
  return Of(bodies, fault);
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

std::string Describe(const GravityPlan& plan) {
  return std::string(GravityWidthName(plan.width)) + ", " + std::to_string(plan.threads) + " thread(s)";
}

// Every vector width this machine runs, each on one and on two threads.
std::vector<GravityPlan> AllPlans() {
  std::vector<GravityPlan> plans;
  for (GravityWidth width : SupportedGravityWidths())
    for (int threads : {1, 2}) plans.push_back(GravityPlan{width, threads});
  return plans;
}

void ExpectSameAsPlainLoop(const std::vector<Body>& bodies, const std::string& what) {
  const Outcome expected = PlainLoop(bodies);
  for (const GravityPlan& plan : AllPlans()) {
    const Outcome got = Kernel(bodies, plan);
    EXPECT_TRUE(SameBits(got.vx, expected.vx)) << what << ": VX differs with " << Describe(plan);
    EXPECT_TRUE(SameBits(got.vy, expected.vy)) << what << ": VY differs with " << Describe(plan);
    EXPECT_EQ(got.fault, expected.fault) << what << " with " << Describe(plan);
  }
}

TEST(GravityKernelBits, RandomSetsOfEverySizeMatchThePlainLoop) {
  for (std::size_t n : {1, 2, 3, 4, 5, 7, 8, 9, 10, 15, 16, 17, 31, 33, 47, 100}) {
    for (unsigned seed = 1; seed <= 3; ++seed)
      ExpectSameAsPlainLoop(RandomBodies(seed * 1000 + static_cast<unsigned>(n), n),
                            std::to_string(n) + " bodies, seed " + std::to_string(seed));
  }
}

TEST(GravityKernelBits, ALargeSetSplitOverThreadsMatchesThePlainLoop) {
  const std::vector<Body> bodies = RandomBodies(77, 301);
  ExpectSameAsPlainLoop(bodies, "301 bodies");
  std::vector<Body> automatic = bodies;
  EXPECT_FALSE(GravityPhase(automatic, kK));
  const Outcome expected = PlainLoop(bodies);
  EXPECT_TRUE(SameBits(Of(automatic, false).vx, expected.vx));
  EXPECT_TRUE(SameBits(Of(automatic, false).vy, expected.vy));
}

TEST(GravityKernelBits, MoreThreadsThanBlocksOfBodiesStillMatch) {
  ExpectSameAsPlainLoop(RandomBodies(5, 20), "20 bodies");
  const std::vector<Body> bodies = RandomBodies(6, 40);
  const Outcome expected = PlainLoop(bodies);
  const Outcome got = Kernel(bodies, GravityPlan{GravityWidth::Automatic, 5});
  EXPECT_TRUE(SameBits(got.vx, expected.vx));
  EXPECT_TRUE(SameBits(got.vy, expected.vy));
}

TEST(GravityKernelBits, BodiesAtTheSamePlacePullNothingAndRaiseNoFault) {
  const std::vector<Body> bodies{MakeBody(5, kAU, kAU, 1, -0.0), MakeBody(7, kAU, kAU, -0.0, 2), MakeBody(3, kAU, kAU, 0, 0)};
  ExpectSameAsPlainLoop(bodies, "three bodies at one place");
  const Outcome got = Kernel(bodies, GravityPlan{});
  EXPECT_FALSE(got.fault);
  EXPECT_TRUE(std::signbit(got.vy[0]));  // -0 stays -0
}

TEST(GravityKernelBits, AMasslessProbeIsPulledAndPullsNothing) {
  const std::vector<Body> bodies{MakeBody(332946, 0, 0), MakeBody(0, kAU, 0), MakeBody(0, 0, -kAU)};
  ExpectSameAsPlainLoop(bodies, "a star and two probes");
  const Outcome got = Kernel(bodies, GravityPlan{});
  EXPECT_EQ(got.vx[0], 0);
  EXPECT_EQ(got.vy[0], 0);
  EXPECT_LT(got.vx[1], 0);
}

TEST(GravityKernelBits, ASingleBodyKeepsItsDisplacementToTheLastBit) {
  ExpectSameAsPlainLoop({MakeBody(1e6, 3, 4, -0.0, 1e-300)}, "one body");
}

TEST(GravityKernelBits, ANotANumberPositionBehavesAsInThePlainLoop) {
  std::vector<Body> bodies = RandomBodies(9, 11);
  bodies[4].X = std::numeric_limits<double>::quiet_NaN();
  bodies[4].VX = -0.0;
  const Outcome expected = PlainLoop(bodies);
  EXPECT_TRUE(expected.fault);  // comparing with a not-a-number is invalid
  ExpectSameAsPlainLoop(bodies, "a body at a not-a-number");
}

// A body about to leave the number range, one metre from a heavy one: only
// its own sum overflows, so only the thread that takes it sees the fault. The
// heavy body's pull on all the others stays finite.
std::vector<Body> OverflowAt(std::size_t n, std::size_t first) {
  std::vector<Body> bodies = RandomBodies(11, n);
  bodies[first] = MakeBody(1, 1e14, 1e14, DBL_MAX, 0);
  bodies[first + 1] = MakeBody(1e293 / kK, 1e14 + 1, 1e14, 0, 0);
  return bodies;
}

TEST(GravityKernelFaults, AnOverflowInOneBodyIsDetectedInEitherThread) {
  for (std::size_t first : {std::size_t{0}, std::size_t{60}, std::size_t{94}}) {
    const std::vector<Body> bodies = OverflowAt(96, first);
    ASSERT_TRUE(PlainLoop(bodies).fault);
    std::vector<Body> others = bodies;
    others[first].VX = 0;
    ASSERT_FALSE(PlainLoop(others).fault);
    for (const GravityPlan& plan : AllPlans())
      EXPECT_TRUE(Kernel(bodies, plan).fault) << "body " << first << " with " << Describe(plan);
  }
}

TEST(GravityKernelFaults, AHugeMassOverflowsForEveryWidth) {
  std::vector<Body> bodies{MakeBody(1e300, 0, 0), MakeBody(1e300, 1, 0)};
  for (const GravityPlan& plan : AllPlans()) EXPECT_TRUE(Kernel(bodies, plan).fault) << Describe(plan);
}

TEST(GravityKernelFaults, AHugeMassThatPullsNobodyRaisesNothing) {
  // Alone at its place it has no pair with r > 0, so its pull is never formed.
  ExpectSameAsPlainLoop({MakeBody(1e300, 0, 0)}, "one huge body");
  EXPECT_FALSE(PlainLoop({MakeBody(1e300, 0, 0), MakeBody(1e300, 0, 0)}).fault);
  ExpectSameAsPlainLoop({MakeBody(1e300, 0, 0), MakeBody(1e300, 0, 0)}, "two huge bodies at one place");
}

TEST(GravityKernelFaults, AFaultLeftFromEarlierWorkIsNotReported) {
  volatile double big = DBL_MAX;
  volatile double sum = big * 2;  // raises overflow before the phase
  (void)sum;
  std::vector<Body> bodies = RandomBodies(3, 40);
  for (const GravityPlan& plan : AllPlans()) EXPECT_FALSE(GravityPhase(bodies, kK, plan)) << Describe(plan);
}

}  // namespace
}  // namespace zelor
