// The total energy of a run's bodies, computed here from positions, masses and
// displacements alone: what the accuracy tests and the accuracy benchmark
// measure a step by.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "sim/canvas.h"
#include "sim/sim.h"
#include "sim/units.h"

namespace zelor {

// Kinetic plus potential energy, in joules per Earth mass.
inline double TotalEnergy(const SimState& state) {
  const double dt = state.SimInterval * 86400;
  double energy = 0;
  for (std::size_t i = 0; i < state.Bodies.size(); ++i) {
    const Body& b = state.Bodies[i];
    energy += 0.5 * b.Mass * (b.VX * b.VX + b.VY * b.VY) / (dt * dt);
    for (std::size_t j = i + 1; j < state.Bodies.size(); ++j) {
      const Body& c = state.Bodies[j];
      energy -= kEarthGravParameter * b.Mass * c.Mass / std::hypot(b.X - c.X, b.Y - c.Y);
    }
  }
  return energy;
}

// Makes `steps` steps and returns the largest relative change of the total
// energy from the start after any of them.
inline double LargestEnergyChange(SimState& state, Canvas& canvas, int steps) {
  const double start = TotalEnergy(state);
  double largest = 0;
  for (int k = 0; k < steps; ++k) {
    SimStep(state, canvas);
    largest = std::max(largest, std::fabs(TotalEnergy(state) - start) / std::fabs(start));
  }
  return largest;
}

}  // namespace zelor
