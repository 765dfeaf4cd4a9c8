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
//
// The step works on its own copy of the bodies and holds its drawing back,
// so that until its last kick the state and the picture stay those of the
// last whole step, and a step left unfinished can simply be forgotten.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "sim/fp_faults.h"
#include "sim/step_parts.h"
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
constexpr int kKicksPerSubstep = 3;

void Drift(const SimState& state, SubstepWork& work, int stage) {
  const double fraction = kDrift[stage] * (1.0 / work.substeps);
  ClearFloatFaults();
  for (Body& body : work.bodies) {
    body.X = fraction * body.VX + body.X;
    body.Y = fraction * body.VY + body.Y;
  }
  if (FloatFaultRaised()) StepFault(state, kMoveFaultPlace);
}

// The stretch each body travelled in the last substep, from where it was.
void HoldSubstepLines(const SimState& state, const std::vector<Body>& bodies, std::vector<double>& from,
                      Canvas& canvas) {
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    const Body& body = bodies[i];
    const float x = ToSingle(state, from[2 * i] / kMetresPerAU);
    const float y = ToSingle(state, from[2 * i + 1] / kMetresPerAU);
    canvas.HeldLine(x, y, ToSingle(state, (body.X - from[2 * i]) / kMetresPerAU),
                    ToSingle(state, (body.Y - from[2 * i + 1]) / kMetresPerAU), body.Color);
    from[2 * i] = body.X;
    from[2 * i + 1] = body.Y;
  }
}

}  // namespace

int SubstepKicks(const SubstepWork& work) { return kKicksPerSubstep * work.substeps; }

double SubstepKickConstant(const SimState& state, const SubstepWork& work, int kick) {
  return kKick[kick % kKicksPerSubstep] * (1.0 / work.substeps) * StepConstant(state);
}

void BeginSubsteps(const SimState& state, SubstepWork& work, Canvas& canvas) {
  work.bodies = state.Bodies;
  work.from.resize(2 * state.Bodies.size());
  canvas.DropHeld();
  for (std::size_t i = 0; i < state.Bodies.size(); ++i) {
    const Body& body = state.Bodies[i];
    work.from[2 * i] = body.X;
    work.from[2 * i + 1] = body.Y;
    canvas.HeldPoint(ToSingle(state, body.X / kMetresPerAU), ToSingle(state, body.Y / kMetresPerAU), body.Color);
  }
  Drift(state, work, 0);
}

void AfterSubstepKick(const SimState& state, int kick, SubstepWork& work, Canvas& canvas) {
  const int stage = kick % kKicksPerSubstep + 1;
  if (stage == kKicksPerSubstep) {
    Drift(state, work, stage);
    HoldSubstepLines(state, work.bodies, work.from, canvas);
    if (kick + 1 < SubstepKicks(work)) Drift(state, work, 0);
    return;
  }
  Drift(state, work, stage);
}

void EndSubsteps(SimState& state, SubstepWork& work, Canvas& canvas) {
  // The reach counts where the drawn step ends, as the classic step's does.
  for (Body& body : work.bodies) {
    body.ReachX = std::max(body.ReachX, std::fabs(body.X));
    body.ReachY = std::max(body.ReachY, std::fabs(body.Y));
  }
  CountStep(state);
  state.Bodies.swap(work.bodies);
  canvas.ShowHeld();
}

}  // namespace zelor
