// The gravity phase of a step: every body's displacement per step changes by
// the pull of every other body, all taken from the positions at the start of
// the step.
#pragma once

#include <vector>

#include "sim/sim_state.h"

namespace zelor {

// 3.986659e14 m³/s²: the gravitational constant 6.67e-11 times one Earth mass
// of 5.977e24 kg, held as one value.
constexpr double kEarthGravParameter = 3.986659e14;

// K = Δt² × 3.986659e14, so that K × Mass / r² is the change of a
// displacement per step (metres per step) caused by a body of that mass.
//
// For each body i, for each body j in order (i itself included), at distance
// r = sqrt(dx*dx + dy*dy) with dx = Xi - Xj, dy = Yi - Yj, and only when r > 0:
//   VXi = (Xj - Xi) * (K * Mj) / ((r * r) * r) + VXi
//   VYi = (Yj - Yi) * (K * Mj) / ((r * r) * r) + VYi
// evaluated in exactly this order, so any faster version of this loop must
// give the same bits. Positions are not changed. Faults (overflow, division
// by zero, invalid) are left in the floating-point flags for the caller.
void GravityPhase(std::vector<Body>& bodies, double K);

}  // namespace zelor
