// How a run computes gravity: the exact kernel, or the tree with its opening
// angle and softening. Plain data, held by the run's state.
#pragma once

namespace zelor {

// The widest angle that keeps the RMS of the relative force error below 1e-3
// on galaxies (7.3e-4 on two discs of 32,766 bodies; the table by angle is
// in docs/benchmarks.md).
constexpr double kDefaultOpeningAngle = 0.6;

struct TreeParams {
  // A cell pulls as a whole when its reach (the farthest of its bodies from
  // its centre of mass) is below this share of its distance from the nearest
  // point of the pulled group of bodies.
  double openingAngle = kDefaultOpeningAngle;
  // Metres; pulls follow K M r / (r² + ε²)^(3/2). 0 gives the unsoftened
  // pull, with the exact kernel's rule that distance 0 pulls nothing.
  double softening = 0;
  int threads = 0;  // 0: all cores
};

// The default is the exact kernel, bit for bit.
struct GravityChoice {
  bool tree = false;
  TreeParams params;
};

}  // namespace zelor
