#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "common/setting_table.h"
#include "common/zelor_error.h"
#include "sim/fp_faults.h"
#include "sim/gravity.h"
#include "sim/messages.h"
#include "sim/sim.h"
#include "sim/step_parts.h"
#include "sim/tree_gravity.h"
#include "sim/units.h"

namespace zelor {

[[noreturn]] void StepFault(const SimState& state, const std::string& where) {
  throw ZelorError(kArithmeticFaultText + " im Simulationsschritt " + std::to_string(state.StepCount + 1) +
                   " " + where + " (Zelor-Datei " + Quoted(state.BodyFile) +
                   "). Die Simulation wurde angehalten; es wird nichts gespeichert, Einstellungen und "
                   "Zelor-Datei bleiben, wie sie waren.",
                   ErrorCause::ArithmeticFault);
}

// The window takes single-precision coordinates; a value beyond their range
// is an overflow like any other.
float ToSingle(const SimState& state, double value) {
  if (!(std::fabs(value) <= FLT_MAX)) StepFault(state, kDrawFaultPlace);
  return static_cast<float>(value);
}

// K = Δt² × kEarthGravParameter for the state's interval.
double StepConstant(const SimState& state) {
  const double dt = SecondsPerStep(state.SimInterval);
  const double K = dt * dt * kEarthGravParameter;
  if (!std::isfinite(K)) StepFault(state, "bei der Schrittlänge (Einstellung „Intervall“)");
  return K;
}

void CountStep(SimState& state) {
  if (state.StepCount == std::numeric_limits<std::int64_t>::max())
    throw ZelorError(
        "Der Schrittzähler der Simulation ist übergelaufen. Die Simulation wurde angehalten; "
        "es wird nichts gespeichert, Einstellungen und Zelor-Datei bleiben, wie sie waren.",
        ErrorCause::ArithmeticFault);
  const std::int64_t count = state.StepCount + 1;
  if (!std::isfinite(static_cast<double>(count) * state.SimInterval))
    StepFault(state, "bei der simulierten Zeit");
  state.StepCount = count;
}

namespace {

// Each body's stretch of this step, from its position before the move along
// its new displacement, and a point where it was.
void DrawStep(const SimState& state, Canvas& canvas) {
  for (const Body& body : state.Bodies) {
    const float x = ToSingle(state, body.X / kMetresPerAU);
    const float y = ToSingle(state, body.Y / kMetresPerAU);
    canvas.Line(x, y, ToSingle(state, body.VX / kMetresPerAU), ToSingle(state, body.VY / kMetresPerAU),
                body.Color);
    canvas.Point(x, y, body.Color);
  }
}

// Moves every body by its displacement and keeps its largest distance from
// each axis, from which the end of the run fits the next sky.
void MoveBodies(SimState& state) {
  for (Body& body : state.Bodies) {
    body.X = body.VX + body.X;
    body.Y = body.VY + body.Y;
    body.ReachX = std::max(body.ReachX, std::fabs(body.X));
    body.ReachY = std::max(body.ReachY, std::fabs(body.Y));
  }
}

// What follows the gravity phase: drawing, moves and the count.
void CompleteStep(SimState& state, Canvas& canvas) {
  // Drawing changes nothing in the state, so it may come before all the moves
  // instead of before each one: the same lines and points result.
  DrawStep(state, canvas);

  ClearFloatFaults();
  MoveBodies(state);
  if (FloatFaultRaised()) StepFault(state, kMoveFaultPlace);
  CountStep(state);
}

}  // namespace

int SubstepsOf(const SimState& state) { return static_cast<int>(state.Values.Number(kKeyGenauigkeit)); }

void SimStep(SimState& state, Canvas& canvas) {
  if (SubstepsOf(state) > 1) return SubstepStep(state, canvas);
  if (ChosenGravityPhase(state.Bodies, StepConstant(state), state.Gravity)) StepFault(state, kGravityFaultPlace);
  CompleteStep(state, canvas);
}

bool StepInPieces::Continue(SimState& state, Canvas& canvas, const std::function<bool()>& goOn) {
  // Substeps come whole: each of their gravity phases needs the last one's moves.
  if (SubstepsOf(state) > 1) {
    SubstepStep(state, canvas);
    return true;
  }
  if (!inStep_) {
    gravity_.Start(state.Bodies, StepConstant(state));
    inStep_ = true;
  }
  do {
    gravity_.NextBlock();
  } while (!gravity_.Done() && goOn());
  if (!gravity_.Done()) return false;
  inStep_ = false;
  if (gravity_.Finish(state.Bodies)) StepFault(state, kGravityFaultPlace);
  CompleteStep(state, canvas);
  return true;
}

std::string TimeLabel(const SimState& state, NumberLocale locale) {
  return FormatNumber(static_cast<double>(state.StepCount) * state.SimInterval, locale);
}

}  // namespace zelor
