// A drawn step in substeps of the fourth-order symplectic composition of
// Forest and Ruth (1990) and Yoshida (1990): the drift-kick-drift leapfrog
// taken three times per substep, with weights w1, w0, w1, where
// w1 = 1 / (2 - 2^(1/3)) and w0 = -2^(1/3) w1. Why this scheme: see
// docs/accuracy.md.
//
// VX and VY hold a displacement per drawn step (velocity times Δt), so a
// drift by the fraction c of a substep of 1/N adds (c / N) × V to the
// position, and a kick by the fraction d adds the gravity phase with the
// constant (d / N) × K. The kick is the classic step's gravity phase itself,
// so a pair at distance 0 still changes nothing and faults are found the
// same way.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "sim/fp_faults.h"
#include "sim/gravity.h"
#include "sim/sim.h"
#include "sim/step_parts.h"
#include "sim/tree_gravity.h"
#include "sim/units.h"

namespace zelor {
namespace {

// The cube root of 2, to the last bit, and the composition's weights.
constexpr double kCubeRootOf2 = 1.2599210498948731647672106;
constexpr double kOuterWeight = 1 / (2 - kCubeRootOf2);              // w1
constexpr double kInnerWeight = -kCubeRootOf2 / (2 - kCubeRootOf2);  // w0, negative
// Drifts and kicks in their order: drift c[0], kick d[0], drift c[1], ...,
// kick d[2], drift c[3].
constexpr double kDrift[4] = {kOuterWeight / 2, (kOuterWeight + kInnerWeight) / 2,
                              (kOuterWeight + kInnerWeight) / 2, kOuterWeight / 2};
constexpr double kKick[3] = {kOuterWeight, kInnerWeight, kOuterWeight};

void Drift(SimState& state, double fraction) {
  ClearFloatFaults();
  for (Body& body : state.Bodies) {
    body.X = fraction * body.VX + body.X;
    body.Y = fraction * body.VY + body.Y;
  }
  if (FloatFaultRaised()) StepFault(state, kMoveFaultPlace);
}

void Kick(SimState& state, double K) {
  if (ChosenGravityPhase(state.Bodies, K, state.Gravity)) StepFault(state, kGravityFaultPlace);
}

// The stretch each body travelled in the last substep, from where it was.
void DrawSubstep(const SimState& state, std::vector<double>& from, Canvas& canvas) {
  for (std::size_t i = 0; i < state.Bodies.size(); ++i) {
    const Body& body = state.Bodies[i];
    const float x = ToSingle(state, from[2 * i] / kMetresPerAU);
    const float y = ToSingle(state, from[2 * i + 1] / kMetresPerAU);
    canvas.Line(x, y, ToSingle(state, (body.X - from[2 * i]) / kMetresPerAU),
                ToSingle(state, (body.Y - from[2 * i + 1]) / kMetresPerAU), body.Color);
    from[2 * i] = body.X;
    from[2 * i + 1] = body.Y;
  }
}

}  // namespace

void SubstepStep(SimState& state, Canvas& canvas) {
  const double K = StepConstant(state);
  const int substeps = SubstepsOf(state);
  const double share = 1.0 / substeps;
  std::vector<double> from(2 * state.Bodies.size());
  for (std::size_t i = 0; i < state.Bodies.size(); ++i) {
    const Body& body = state.Bodies[i];
    from[2 * i] = body.X;
    from[2 * i + 1] = body.Y;
    canvas.Point(ToSingle(state, body.X / kMetresPerAU), ToSingle(state, body.Y / kMetresPerAU), body.Color);
  }
  for (int substep = 0; substep < substeps; ++substep) {
    for (int stage = 0; stage < 3; ++stage) {
      Drift(state, kDrift[stage] * share);
      Kick(state, kKick[stage] * share * K);
    }
    Drift(state, kDrift[3] * share);
    DrawSubstep(state, from, canvas);
  }
  // The reach counts where the drawn step ends, as the classic step's does.
  for (Body& body : state.Bodies) {
    body.ReachX = std::max(body.ReachX, std::fabs(body.X));
    body.ReachY = std::max(body.ReachY, std::fabs(body.Y));
  }
  CountStep(state);
}

}  // namespace zelor
