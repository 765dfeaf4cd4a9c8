#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "sim/cpu_features.h"
#include "sim/gravity.h"
#include "sim/tree_build.h"
#include "sim/tree_gravity.h"
#include "sim/tree_kernel.h"
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

// The tree of a disc against its bodies, worked out from them alone: each
// cell at depth d holds, one after another, the bodies of one square 2^-d of
// the set's width across, split among its children in order; its box,
// mass, centre of mass and second moments are theirs, its reach bounds
// them; a leaf holds at most 16; every body is in the tree once and in one
// group of at most 64.
TEST(TreeGravity, EachCellHoldsTheBodiesOfItsSquareWithTheirMassAndMoments) {
  const std::vector<Body> bodies = Disc(5000);
  Tree tree;
  ASSERT_TRUE(BuildTree(bodies, kK, tree));
  double minX = bodies[0].X, maxX = minX, minY = bodies[0].Y, maxY = minY;
  for (const Body& b : bodies)
    minX = std::min(minX, b.X), maxX = std::max(maxX, b.X), minY = std::min(minY, b.Y), maxY = std::max(maxY, b.Y);
  const double width = std::max(maxX - minX, maxY - minY);
  std::vector<int> inTree(bodies.size()), inGroup(bodies.size());
  for (std::size_t s = 0; s < bodies.size(); ++s) {
    const Body& b = bodies[tree.index[s]];
    ++inTree[tree.index[s]];
    ASSERT_TRUE(tree.x[s] == b.X && tree.y[s] == b.Y && tree.km[s] == kK * b.Mass) << s;
  }
  for (const std::uint32_t g : tree.groups) {
    const TreeCell& group = tree.cells[g];
    EXPECT_LE(group.end - group.begin, kTreeGroupSize);
    for (std::uint32_t s = group.begin; s < group.end; ++s) ++inGroup[tree.index[s]];
  }
  EXPECT_EQ(std::count(inTree.begin(), inTree.end(), 1), 5000);
  EXPECT_EQ(std::count(inGroup.begin(), inGroup.end(), 1), 5000);

  std::vector<std::pair<std::uint32_t, int>> cells{{0, 0}};  // a cell and its depth
  EXPECT_EQ(tree.cells[0].begin, 0u);
  EXPECT_EQ(tree.cells[0].end, 5000u);
  while (!cells.empty()) {
    const auto [c, depth] = cells.back();
    cells.pop_back();
    const TreeCell& cell = tree.cells[c];
    double km = 0, sumX = 0, sumY = 0, left = maxX, right = minX, top = maxY, bottom = minY;
    for (std::uint32_t s = cell.begin; s < cell.end; ++s) {
      km += tree.km[s], sumX += tree.km[s] * tree.x[s], sumY += tree.km[s] * tree.y[s];
      left = std::min(left, tree.x[s]), right = std::max(right, tree.x[s]);
      top = std::min(top, tree.y[s]), bottom = std::max(bottom, tree.y[s]);
    }
    const double side = width / (1 << depth) * (1 + 1e-6);  // the keys' 2^21 - 1 steps
    ASSERT_TRUE(right - left <= side && bottom - top <= side) << "cell " << c << " at depth " << depth;
    ASSERT_TRUE(cell.minX == left && cell.maxX == right && cell.minY == top && cell.maxY == bottom) << c;
    ASSERT_NEAR(cell.km, km, 1e-12 * km) << c;
    ASSERT_NEAR(cell.x, sumX / km, 1e-12 * width) << c;
    ASSERT_NEAR(cell.y, sumY / km, 1e-12 * width) << c;
    double qxx = 0, qxy = 0, qyy = 0, reach = 0;
    for (std::uint32_t s = cell.begin; s < cell.end; ++s) {
      const double dx = tree.x[s] - cell.x, dy = tree.y[s] - cell.y;
      qxx += 3 * tree.km[s] * dx * dx, qxy += 3 * tree.km[s] * dx * dy, qyy += 3 * tree.km[s] * dy * dy;
      reach = std::max(reach, std::hypot(dx, dy));
    }
    const double moment = 3 * km * side * side;  // no moment is larger
    ASSERT_NEAR(cell.qxx, qxx, 1e-9 * moment) << c;
    ASSERT_NEAR(cell.qxy, qxy, 1e-9 * moment) << c;
    ASSERT_NEAR(cell.qyy, qyy, 1e-9 * moment) << c;
    ASSERT_GE(cell.reach, reach * (1 - 1e-12)) << c;
    if (cell.children == 0) {
      ASSERT_LE(cell.end - cell.begin, kTreeLeafSize) << c;
      continue;
    }
    std::uint32_t next = cell.begin;
    for (std::uint32_t k = 0; k < cell.children; ++k) {
      const TreeCell& child = tree.cells[cell.firstChild + k];
      ASSERT_TRUE(child.begin == next && child.end > child.begin) << "child " << k << " of " << c;
      next = child.end;
      cells.push_back({cell.firstChild + k, depth + 1});
    }
    ASSERT_EQ(next, cell.end) << c;
  }
}

// Every tree kernel this processor runs, the plain one too, against sums
// written out: near bodies pull as K m d / (r² + ε²)^(3/2); a far cell of two
// masses of 1 a distance 2 apart on the diagonal, seen 100 away along either
// axis, pulls as the two do to (s / r)^4 with its quadrupole (as a point
// mass alone it would miss by some 1e-4). Three bodies, so that one is
// paired with itself.
TEST(TreeGravity, EveryKernelPullsAsTheSumsWrittenOut) {
  std::vector<TreeKernel> kernels{TreePullsPlain};
#if defined(__x86_64__) || defined(_M_X64)
  if (DetectCpuFeatures().avx2) kernels.push_back(TreePullsAvx2);
  if (DetectCpuFeatures().avx512f) kernels.push_back(TreePullsAvx512);
#endif
  std::vector<double> px{1, -2, 3, 0.5, -1.5}, py{2, 1, -1, -2.5, 0.5}, pk{3, 1, 2, 0.5, 4};
  while (px.size() < kTreeListPad) px.push_back(px.back()), py.push_back(py.back()), pk.push_back(0);
  const double h = std::sqrt(0.5);  // the pair at (100, 0) ± (h, h)
  std::vector<double> cx(kTreeListPad, 100), cy(kTreeListPad, 0), ck(kTreeListPad, 0), cxx = ck, cxy = ck, cyy = ck,
                      ctr = ck;
  ck[0] = 2, cxx[0] = cxy[0] = cyy[0] = 3, ctr[0] = 3;
  const double nearX[] = {0.25, -3, 2}, nearY[] = {-0.75, 2, 2}, farX[] = {0, 100, 200}, farY[] = {0, 100, 0};
  const auto pull = [](double fromX, double fromY, double x, double y, double k, double e2, double& ax,
                       double& ay) {
    const double dx = fromX - x, dy = fromY - y, r2 = dx * dx + dy * dy + e2;
    ax += k * dx / (r2 * std::sqrt(r2)), ay += k * dy / (r2 * std::sqrt(r2));
  };
  for (std::size_t n = 0; n < kernels.size(); ++n) {
    const TreeLists nearLists{px.data(), py.data(), pk.data(), kTreeListPad, cx.data(), cy.data(), ck.data(),
                              cxx.data(), cxy.data(), cyy.data(), ctr.data(), 0, 0.25};
    TreeLists farLists = nearLists;
    farLists.bodies = 0, farLists.cells = kTreeListPad, farLists.softening2 = 0;
    double ax[3] = {}, ay[3] = {}, bx[3] = {}, by[3] = {};
    kernels[n](nearLists, nearX, nearY, 3, ax, ay);
    kernels[n](farLists, farX, farY, 3, bx, by);
    for (int i = 0; i < 3; ++i) {
      double ex = 0, ey = 0, fx = 0, fy = 0;
      for (int j = 0; j < 5; ++j) pull(px[j], py[j], nearX[i], nearY[i], pk[j], 0.25, ex, ey);
      for (const double side : {-1.0, 1.0}) pull(100 + side * h, side * h, farX[i], farY[i], 1, 0, fx, fy);
      // AVX-512's inverse square root is good to about 1e-8, so its cube to 3e-8.
      EXPECT_NEAR(ax[i], ex, 1e-7 * std::hypot(ex, ey)) << "kernel " << n << ", near body " << i;
      EXPECT_NEAR(ay[i], ey, 1e-7 * std::hypot(ex, ey)) << "kernel " << n << ", near body " << i;
      EXPECT_NEAR(bx[i], fx, 1e-6 * std::hypot(fx, fy)) << "kernel " << n << ", far body " << i;
      EXPECT_NEAR(by[i], fy, 1e-6 * std::hypot(fx, fy)) << "kernel " << n << ", far body " << i;
    }
  }
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
  // A flag left from earlier work is none of the tree's.
  std::vector<Body> disc = Disc(4096);
  volatile double big = kLargest;
  big = big * 2;
  EXPECT_FALSE(TreeGravityPhase(disc, kK, TreeParams{}));
}

// Bodies of mass 0 pull nothing: every displacement stays as it was, to the bit.
TEST(TreeGravity, MasslessBodiesLeaveTheDisplacementsAsTheyWere) {
  std::vector<Body> bodies = Disc(4096);
  for (Body& b : bodies) b.Mass = 0, b.VX = b.X * 1e-9, b.VY = -3.0;
  const std::vector<Body> before = bodies;
  EXPECT_FALSE(TreeGravityPhase(bodies, kK, TreeParams{}));
  for (std::size_t i = 0; i < bodies.size(); ++i)
    ASSERT_TRUE(bodies[i].VX == before[i].VX && bodies[i].VY == before[i].VY) << i;
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
