// The quadtree of the tree gravity: the bodies sorted along a Z-order curve,
// so every cell's bodies lie one after another, and the cells in one flat
// array, each cell's children side by side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/sim_state.h"

namespace zelor {

// A leaf holds at most this many bodies (more only at the deepest level,
// where bodies share a place to 2^-21 of the tree's width).
constexpr std::size_t kTreeLeafSize = 16;
// The bodies of a group share one walk of the tree and one interaction list:
// the largest cells of at most this many bodies. Fewer walks, longer lists.
constexpr std::size_t kTreeGroupSize = 64;

// The sort packs a body's index into 22 bits beside its key.
constexpr std::size_t kMaxTreeBodies = (std::size_t{1} << 22) - 1;

struct TreeCell {
  double x = 0, y = 0;  // centre of mass
  double km = 0;        // K times the mass
  // Three times the second moments of K × mass about the centre of mass.
  double qxx = 0, qxy = 0, qyy = 0;
  double reach = 0;     // the farthest body from the centre of mass
  double minX = 0, minY = 0, maxX = 0, maxY = 0;  // the box around the bodies
  std::uint32_t begin = 0, end = 0;               // bodies in the sorted order
  std::uint32_t firstChild = 0, children = 0;     // no children: a leaf
};

struct Tree {
  // The bodies in Z-order: position, K × mass and the index in the run.
  std::vector<double> x, y, km;
  std::vector<std::uint32_t> index;
  std::vector<TreeCell> cells;  // the root first
  std::vector<std::uint32_t> groups;
};

// Builds the tree of 1 to kMaxTreeBodies bodies on the calling thread,
// reusing the tree's memory. Overflows (K × mass, or a set too wide to square
// its width) are left in the floating-point flags; false when no tree can be
// made because the positions span no finite width.
bool BuildTree(const std::vector<Body>& bodies, double K, Tree& tree);

}  // namespace zelor
