#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
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
  // The whole step in one piece, on all cores.
  thread_local StepInPieces whole(SIZE_MAX, 0);
  whole.Continue(state, canvas, [] { return true; });
}

StepInPieces::StepInPieces(std::size_t pairsPerPiece, int threads)
    : pairsPerPiece_(std::max<std::size_t>(pairsPerPiece, 1)), threads_(threads) {}

bool StepInPieces::Continue(SimState& state, Canvas& canvas, const std::function<bool()>& goOn) {
  try {
    if (!inStep_) Begin(state, canvas);
    // A piece goes on into the next kick: small sets ask only between steps.
    std::size_t pieceLeft = pairsPerPiece_;
    for (;;) {
      pieceLeft -= std::min(PullMore(pieceLeft), pieceLeft);
      if (KickDone() && AfterKick(state, canvas)) {
        inStep_ = false;
        return true;
      }
      if (pieceLeft > 0) continue;
      if (!goOn()) return false;
      pieceLeft = pairsPerPiece_;
    }
  } catch (...) {
    Drop(canvas);
    throw;
  }
}

void StepInPieces::Drop(Canvas& canvas) {
  if (inStep_) canvas.DropHeld();
  inStep_ = false;
}

void StepInPieces::Begin(SimState& state, Canvas& canvas) {
  bodyCount_ = std::max<std::size_t>(state.Bodies.size(), 1);
  kick_ = 0;
  inStep_ = true;
  substeps_.substeps = SubstepsOf(state);
  if (substeps_.substeps <= 1) return StartKick(state, state.Bodies, StepConstant(state));
  const double K = SubstepKickConstant(state, substeps_, 0);
  BeginSubsteps(state, substeps_, canvas);
  StartKick(state, substeps_.bodies, K);
}

void StepInPieces::StartKick(const SimState& state, const std::vector<Body>& bodies, double K) {
  treeKick_ = state.Gravity.tree && TreeInPieces::Takes(bodies);
  if (!treeKick_) return gravity_.Start(bodies, K);
  TreeParams params = state.Gravity.params;
  if (threads_ > 0) params.threads = threads_;
  tree_.Start(bodies, K, params);
}

std::size_t StepInPieces::PullMore(std::size_t pairs) {
  if (treeKick_) {
    constexpr std::size_t chunkPairs = TreeInPieces::kPairsPerChunk;
    return tree_.NextChunks(std::max<std::size_t>(pairs / chunkPairs, 1)) * chunkPairs;
  }
  const std::size_t blockPairs = GravityInBlocks::kBodiesPerBlock * bodyCount_;
  return gravity_.NextBlocks(std::max<std::size_t>(pairs / blockPairs, 1), threads_) * blockPairs;
}

bool StepInPieces::KickDone() const { return treeKick_ ? tree_.Done() : gravity_.Done(); }

bool StepInPieces::AfterKick(SimState& state, Canvas& canvas) {
  const bool classic = substeps_.substeps <= 1;
  std::vector<Body>& pulled = classic ? state.Bodies : substeps_.bodies;
  if (treeKick_ ? tree_.Finish(pulled) : gravity_.Finish(pulled)) StepFault(state, kGravityFaultPlace);
  if (classic) {
    CompleteStep(state, canvas);
    return true;
  }
  AfterSubstepKick(state, kick_, substeps_, canvas);
  if (++kick_ == SubstepKicks(substeps_)) {
    EndSubsteps(state, substeps_, canvas);
    return true;
  }
  StartKick(state, substeps_.bodies, SubstepKickConstant(state, substeps_, kick_));
  return false;
}

std::string TimeLabel(const SimState& state, NumberLocale locale) {
  return FormatNumber(static_cast<double>(state.StepCount) * state.SimInterval, locale);
}

}  // namespace zelor
