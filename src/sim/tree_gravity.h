// The gravity phase of large files, approximated: a quadtree of the bodies
// whose far cells pull as their mass and quadrupole moment, while near
// bodies pull one by one, softened. N log N work instead of N², so a file of
// 32,766 bodies takes milliseconds a step instead of more than a second. The
// rules (opening angle, softening, when it is used) are in
// docs/architecture.md, "Tree gravity"; the measured error in
// docs/benchmarks.md.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "sim/gravity_choice.h"
#include "sim/sim_state.h"

namespace zelor {

// From this many bodies on, and only with the approximation on, a step uses
// the tree. Below it the exact kernel is fast enough for the default tempo.
constexpr std::size_t kTreeFromBodies = 4096;

// The softening length as a share of the mean distance between bodies. Half:
// on the galaxy maker's file (0.021 AU) that resolves a star's pass by a
// galaxy's centre within the step, where a quarter left 68 of 32,766 stars
// flung out at over 200 km/s after 7,200 steps, and half 12 (three quarters
// gain nothing more).
constexpr double kSofteningShare = 0.5;

// Whether a step of this many bodies uses the tree.
bool UsesTree(std::size_t bodyCount, bool approximationOn);

// The softening length of a run, from its bodies at the start: kSofteningShare
// of the mean distance between bodies, sqrt(area / N), where the area is the
// box that holds the middle 90 % of the bodies along each axis (so a few
// escaped bodies do not count). 0 when that box has no area.
double TreeSoftening(const std::vector<Body>& bodies);

// The contract of GravityPhase: every body's VX, VY change by the pulls of
// the others, all taken from the positions at the start; the positions are
// not changed. Returns true when overflow, division by zero or an invalid
// operation was raised in any thread. A file with a negative mass is
// computed exactly: a cell's expansion about its centre of mass needs
// masses of one sign.
bool TreeGravityPhase(std::vector<Body>& bodies, double K, const TreeParams& params);

// The tree's gravity phase a few chunks of groups of bodies at a time, on
// all cores (or params.threads), for a caller that looks at its input
// between them. Gives TreeGravityPhase's bits, however the chunks are taken.
// The bodies must not change between Start and Finish.
class TreeInPieces {
 public:
  TreeInPieces();
  ~TreeInPieces();
  // Whether the tree computes these bodies; the others go to the exact kernel.
  static bool Takes(const std::vector<Body>& bodies);
  // Builds the tree of bodies the tree takes.
  void Start(const std::vector<Body>& bodies, double K, const TreeParams& params);
  bool Done() const;
  // Pulls the bodies of the next `chunks` chunks of groups (fewer at the
  // end); returns how many it pulled.
  std::size_t NextChunks(std::size_t chunks);
  // What a chunk costs, in pairs of the exact kernel: four groups of up to 64
  // bodies, and a body's pulls cost about as much as 256 pairs (10.5 ms of
  // processor time a step of 32,766 bodies against 1,280 ms exactly).
  static constexpr std::size_t kPairsPerChunk = 4 * 64 * 256;
  // Gives the bodies their new displacements; true when building the tree,
  // any chunk or adding the pulls raised overflow, division by zero or an
  // invalid operation.
  bool Finish(std::vector<Body>& bodies);

 private:
  struct Work;
  std::unique_ptr<Work> work_;
};

// The choice for a run of these bodies at its start: the tree for a large
// file with the approximation on, unless a mass is negative.
GravityChoice ChooseGravity(const std::vector<Body>& bodies, bool approximationOn);

// The gravity phase as chosen: TreeGravityPhase or GravityPhase.
bool ChosenGravityPhase(std::vector<Body>& bodies, double K, const GravityChoice& choice);

}  // namespace zelor
