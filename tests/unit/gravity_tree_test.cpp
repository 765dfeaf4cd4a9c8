#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "sim/gravity.h"
#include "sim/tree_gravity.h"
#include "sim_test_support.h"

namespace zelor {
namespace {

constexpr double kK = 2.976024996864e24;  // one day per step
constexpr double kAU = 1.5e11;

// A disc of stars about a central mass of a Sun, the surface density falling
// as 1/r: the kind of file the tree is for.
std::vector<Body> Disc(std::size_t n) {
  std::mt19937_64 random(n);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<Body> bodies{MakeBody(332946, 0, 0)};
  while (bodies.size() < n) {
    const double r = 20 * kAU * (0.03 + 0.97 * unit(random)), a = 6.283185307179586 * unit(random);
    bodies.push_back(MakeBody(4, r * std::cos(a), r * std::sin(a)));
  }
  return bodies;
}

// The change of every displacement in one phase: the pulls alone.
std::vector<double> Pulls(std::vector<Body> bodies, bool tree, const TreeParams& params = {}) {
  for (Body& b : bodies) b.VX = b.VY = 0;
  EXPECT_FALSE(tree ? TreeGravityPhase(bodies, kK, params) : GravityPhase(bodies, kK));
  std::vector<double> pulls;
  for (const Body& b : bodies) pulls.insert(pulls.end(), {b.VX, b.VY});
  return pulls;
}

// The exact kernel, which computes every pair, is the oracle; unsoftened, so
// that only the tree's approximation differs.
TEST(TreeGravity, FiveThousandBodiesStayWithinTheRmsBoundAtTheDefaultAngle) {
  const std::vector<Body> bodies = Disc(5000);
  const std::vector<double> exact = Pulls(bodies, false), tree = Pulls(bodies, true);
  double sum = 0;
  for (std::size_t i = 0; i < exact.size(); i += 2) {
    const double e = std::hypot(tree[i] - exact[i], tree[i + 1] - exact[i + 1]) / std::hypot(exact[i], exact[i + 1]);
    sum += e * e;
  }
  EXPECT_LT(std::sqrt(sum / bodies.size()), 1e-3);
}

TEST(TreeGravity, AnOverflowIsStillAFault) {
  constexpr double kLargest = std::numeric_limits<double>::max();
  const struct {
    const char* what;
    std::vector<Body> bodies;
  } cases[] = {
      {"masses beyond K × mass", {MakeBody(1e300, 0, 0), MakeBody(1e300, kAU, 0)}},
      {"distances beyond their square", {MakeBody(1, -1e160, 0), MakeBody(1, 1e160, 0), MakeBody(1, 0, 0)}},
      {"a displacement beyond the doubles", {MakeBody(1, 0, 0, kLargest), MakeBody(1e270, 1, 0)}},
  };
  for (const auto& c : cases) {
    std::vector<Body> bodies = c.bodies;
    EXPECT_TRUE(TreeGravityPhase(bodies, kK, TreeParams{})) << c.what;
  }
}

// Below 4,096 bodies, or with the approximation off, the run's choice is the
// exact kernel, bit for bit.
TEST(TreeGravity, TheExactKernelStaysBelow4096BodiesAndWithTheApproximationOff) {
  EXPECT_FALSE(UsesTree(4095, true));
  EXPECT_TRUE(UsesTree(4096, true));
  EXPECT_FALSE(UsesTree(32766, false));

  std::vector<Body> chosen = Disc(4095), exact = chosen;
  EXPECT_FALSE(ChooseGravity(chosen, true).tree);
  EXPECT_FALSE(ChosenGravityPhase(chosen, kK, ChooseGravity(chosen, true)));
  EXPECT_FALSE(GravityPhase(exact, kK));
  for (std::size_t i = 0; i < exact.size(); ++i) {
    ASSERT_EQ(std::memcmp(&chosen[i].VX, &exact[i].VX, sizeof(double)), 0) << i;
    ASSERT_EQ(std::memcmp(&chosen[i].VY, &exact[i].VY, sizeof(double)), 0) << i;
  }
  EXPECT_TRUE(ChooseGravity(Disc(4096), true).tree);
}

// Half the mean distance between bodies, which a few escaped bodies do not
// change: on a grid of 100 × 100 bodies 1 AU apart, 0.5 AU.
TEST(TreeGravity, TheSofteningIsHalfTheMeanDistanceBetweenBodies) {
  std::vector<Body> grid;
  for (int i = 0; i < 100; ++i)
    for (int j = 0; j < 100; ++j) grid.push_back(MakeBody(1, i * kAU, j * kAU));
  EXPECT_NEAR(TreeSoftening(grid) / kAU, 0.5, 0.01);
  for (int k = 0; k < 20; ++k) grid[k].X = grid[k].Y = 1e6 * kAU;
  EXPECT_NEAR(TreeSoftening(grid) / kAU, 0.5, 0.01);
}

}  // namespace
}  // namespace zelor
