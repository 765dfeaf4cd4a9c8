#include "sim/tree_build.h"

#include <algorithm>
#include <cmath>

namespace zelor {
namespace {

// Each axis in 21 bits: the keys of both axes fit 42 bits, the index of a
// body the other 22 of one 64-bit word, so one sort moves both.
constexpr int kLevels = 21;
constexpr int kIndexBits = 22;
constexpr double kLastCell = (1 << kLevels) - 1;

// The bits of v in every other place: x's bits and y's interleave into the
// Z-order key.
std::uint64_t Spread(std::uint64_t v) {
  v = (v | v << 16) & 0x0000FFFF0000FFFFull;
  v = (v | v << 8) & 0x00FF00FF00FF00FFull;
  v = (v | v << 4) & 0x0F0F0F0F0F0F0F0Full;
  v = (v | v << 2) & 0x3333333333333333ull;
  v = (v | v << 1) & 0x5555555555555555ull;
  return v;
}

// Least significant digit first, 7 bits at a time: six passes over the keys,
// a pass skipped when every key has the same digit. Much faster than a
// comparison sort of 32,766 words, which would be a third of a step.
void RadixSort(std::vector<std::uint64_t>& items, std::vector<std::uint64_t>& spare) {
  spare.resize(items.size());
  for (int shift = kIndexBits; shift < 64; shift += 7) {
    std::size_t start[129] = {};
    for (std::uint64_t v : items) ++start[((v >> shift) & 127) + 1];
    if (std::find(start + 1, start + 129, items.size()) != start + 129) continue;
    for (int d = 0; d < 128; ++d) start[d + 1] += start[d];
    for (std::uint64_t v : items) spare[start[(v >> shift) & 127]++] = v;
    items.swap(spare);
  }
}

class Builder {
 public:
  Builder(Tree& tree, const std::vector<std::uint64_t>& keys) : t_(tree), keys_(keys) {}

  // Cell c holds the sorted bodies [begin, end), which share their first
  // `level` pairs of key bits.
  void Make(std::uint32_t c, std::uint32_t begin, std::uint32_t end, int level) {
    t_.cells[c].begin = begin;
    t_.cells[c].end = end;
    if (end - begin <= kTreeGroupSize && (c == 0 || parentCount_ > kTreeGroupSize)) t_.groups.push_back(c);
    if (end - begin <= kTreeLeafSize || level == kLevels) return Leaf(c);
    const int shift = 2 * (kLevels - 1 - level) + kIndexBits;
    std::uint32_t bounds[5] = {begin, 0, 0, 0, end};
    for (std::uint64_t q = 1; q < 4; ++q)
      bounds[q] = static_cast<std::uint32_t>(
          std::partition_point(keys_.begin() + bounds[q - 1], keys_.begin() + end,
                               [&](std::uint64_t k) { return ((k >> shift) & 3) < q; }) -
          keys_.begin());
    std::uint32_t children = 0;
    for (int q = 0; q < 4; ++q) children += bounds[q + 1] > bounds[q];
    const auto first = static_cast<std::uint32_t>(t_.cells.size());
    t_.cells.resize(first + children);  // no reference into cells lives across this
    t_.cells[c].firstChild = first;
    t_.cells[c].children = children;
    std::uint32_t child = first;
    for (int q = 0; q < 4; ++q) {
      parentCount_ = end - begin;
      if (bounds[q + 1] > bounds[q]) Make(child++, bounds[q], bounds[q + 1], level + 1);
    }
    Combine(t_.cells[c]);
  }

 private:
  // A cell without mass pulls nothing; its centre is its box's, so that its
  // reach still bounds its bodies.
  static void PlaceCentre(TreeCell& cell, double sumX, double sumY) {
    if (cell.km > 0) {
      cell.x = sumX / cell.km;
      cell.y = sumY / cell.km;
    } else {
      cell.x = cell.minX / 2 + cell.maxX / 2;
      cell.y = cell.minY / 2 + cell.maxY / 2;
    }
  }

  void Leaf(std::uint32_t c) {
    TreeCell& cell = t_.cells[c];
    cell.minX = cell.maxX = t_.x[cell.begin];
    cell.minY = cell.maxY = t_.y[cell.begin];
    double sumX = 0, sumY = 0;
    for (std::uint32_t i = cell.begin; i < cell.end; ++i) {
      cell.km += t_.km[i];
      sumX += t_.km[i] * t_.x[i];
      sumY += t_.km[i] * t_.y[i];
      cell.minX = std::min(cell.minX, t_.x[i]);
      cell.maxX = std::max(cell.maxX, t_.x[i]);
      cell.minY = std::min(cell.minY, t_.y[i]);
      cell.maxY = std::max(cell.maxY, t_.y[i]);
    }
    PlaceCentre(cell, sumX, sumY);
    double reach2 = 0;
    for (std::uint32_t i = cell.begin; i < cell.end; ++i) {
      const double dx = t_.x[i] - cell.x, dy = t_.y[i] - cell.y;
      cell.qxx += 3 * t_.km[i] * dx * dx;
      cell.qxy += 3 * t_.km[i] * dx * dy;
      cell.qyy += 3 * t_.km[i] * dy * dy;
      reach2 = std::max(reach2, dx * dx + dy * dy);
    }
    cell.reach = std::sqrt(reach2);
  }

  // The children's moments moved to the parent's centre of mass (the
  // parallel-axis rule), and a reach that bounds every child's.
  void Combine(TreeCell& cell) const {
    const TreeCell* child = &t_.cells[cell.firstChild];
    cell.minX = child[0].minX, cell.maxX = child[0].maxX;
    cell.minY = child[0].minY, cell.maxY = child[0].maxY;
    double sumX = 0, sumY = 0;
    for (std::uint32_t k = 0; k < cell.children; ++k) {
      cell.km += child[k].km;
      sumX += child[k].km * child[k].x;
      sumY += child[k].km * child[k].y;
      cell.minX = std::min(cell.minX, child[k].minX);
      cell.maxX = std::max(cell.maxX, child[k].maxX);
      cell.minY = std::min(cell.minY, child[k].minY);
      cell.maxY = std::max(cell.maxY, child[k].maxY);
    }
    PlaceCentre(cell, sumX, sumY);
    for (std::uint32_t k = 0; k < cell.children; ++k) {
      const double dx = child[k].x - cell.x, dy = child[k].y - cell.y;
      cell.qxx += child[k].qxx + 3 * child[k].km * dx * dx;
      cell.qxy += child[k].qxy + 3 * child[k].km * dx * dy;
      cell.qyy += child[k].qyy + 3 * child[k].km * dy * dy;
      cell.reach = std::max(cell.reach, child[k].reach + std::sqrt(dx * dx + dy * dy));
    }
  }

  Tree& t_;
  const std::vector<std::uint64_t>& keys_;
  std::uint32_t parentCount_ = 0;  // bodies of the cell whose child is being made
};

}  // namespace

bool BuildTree(const std::vector<Body>& bodies, double K, Tree& tree) {
  const std::size_t n = bodies.size();
  double minX = bodies[0].X, maxX = minX, minY = bodies[0].Y, maxY = minY;
  for (const Body& b : bodies) {
    minX = std::min(minX, b.X), maxX = std::max(maxX, b.X);
    minY = std::min(minY, b.Y), maxY = std::max(maxY, b.Y);
  }
  // The square of the width overflows where the exact kernel's squared
  // distance of the outermost bodies would: that raises the flag.
  const double width = std::max(maxX - minX, maxY - minY);
  if (!std::isfinite(width * width)) return false;
  // Below this width every body is in one place, as far as a double can tell.
  const double scale = width > 1e-290 ? kLastCell / width : 0;

  thread_local std::vector<std::uint64_t> keys, spare;
  keys.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double cx = std::min(kLastCell, (bodies[i].X - minX) * scale);
    const double cy = std::min(kLastCell, (bodies[i].Y - minY) * scale);
    const std::uint64_t key = Spread(static_cast<std::uint64_t>(cx)) | Spread(static_cast<std::uint64_t>(cy)) << 1;
    keys[i] = key << kIndexBits | i;
  }
  RadixSort(keys, spare);

  tree.x.resize(n), tree.y.resize(n), tree.km.resize(n), tree.index.resize(n);
  for (std::size_t s = 0; s < n; ++s) {
    const auto i = static_cast<std::uint32_t>(keys[s] & ((1u << kIndexBits) - 1));
    tree.index[s] = i;
    tree.x[s] = bodies[i].X;
    tree.y[s] = bodies[i].Y;
    tree.km[s] = K * bodies[i].Mass;
  }
  tree.cells.assign(1, TreeCell{});
  tree.groups.clear();
  Builder(tree, keys).Make(0, 0, static_cast<std::uint32_t>(n), 0);
  return true;
}

}  // namespace zelor
