#include "sim/tree_potential.h"

#include <cmath>
#include <cstdint>

#include "sim/fp_faults.h"
#include "sim/tree_build.h"
#include "sim/tree_gravity.h"
#include "sim/units.h"

namespace zelor {
namespace {

// Adds a term unless the sum would not be finite.
void AddFinite(double& depth, double term) {
  const double sum = term + depth;
  if (std::isfinite(sum)) depth = sum;
}

double DepthAt(const Tree& tree, double x, double y, std::vector<std::uint32_t>& stack) {
  constexpr double angle2 = kPotentialOpeningAngle * kPotentialOpeningAngle;
  double depth = 0;
  stack.assign(1, 0);
  while (!stack.empty()) {
    const TreeCell& c = tree.cells[stack.back()];
    stack.pop_back();
    if (!(c.km > 0)) continue;
    const double dx = x - c.x, dy = y - c.y, r2 = dx * dx + dy * dy;
    if (r2 * angle2 > c.reach * c.reach) {
      // Mass and quadrupole: the monopole alone would miss a percent, since
      // for bodies in a plane the second moments never average out.
      const double r = std::sqrt(r2);
      const double spread = c.qxx * dx * dx + 2 * c.qxy * dx * dy + c.qyy * dy * dy - (c.qxx + c.qyy) * r2 / 3;
      AddFinite(depth, c.km / r + spread / (2 * r2 * r2 * r));
    } else if (c.children == 0) {
      for (std::uint32_t i = c.begin; i < c.end; ++i) {
        const double ex = x - tree.x[i], ey = y - tree.y[i];
        const double r = std::sqrt(ex * ex + ey * ey);
        if (r > 0) AddFinite(depth, tree.km[i] / r);
      }
    } else {
      for (std::uint32_t k = 0; k < c.children; ++k) stack.push_back(c.firstChild + k);
    }
  }
  return depth;
}

}  // namespace

std::vector<double> TreePotentialDepths(const std::vector<Body>& bodies) {
  if (!TreeInPieces::Takes(bodies)) return {};
  Tree tree;
  ClearFloatFaults();
  // The tree's masses as G × mass, so that a cell's term is its depth.
  if (!BuildTree(bodies, kGravitationalConstant * kKgPerEarthMass, tree) || FloatFaultRaised()) return {};
  std::vector<double> depths(bodies.size());
  std::vector<std::uint32_t> stack;
  for (std::size_t s = 0; s < tree.x.size(); ++s) depths[tree.index[s]] = DepthAt(tree, tree.x[s], tree.y[s], stack);
  return depths;
}

}  // namespace zelor
