// The pieces the classic step and the step in substeps share: one message for
// every fault, the window's single-precision coordinates and the count; and
// the step in substeps kick by kick, for StepInPieces.
#pragma once

#include <string>
#include <vector>

#include "sim/canvas.h"
#include "sim/sim_state.h"

namespace zelor {

// Stops the run with the arithmetic fault's message, naming the step and
// where in it the fault arose.
[[noreturn]] void StepFault(const SimState& state, const std::string& where);

// A coordinate for the window; a value beyond single precision is an overflow.
float ToSingle(const SimState& state, double value);

// K = Δt² × kEarthGravParameter for the state's interval.
double StepConstant(const SimState& state);

// Counts a completed step, with the counter's and the time's overflow checks.
void CountStep(SimState& state);

constexpr char kGravityFaultPlace[] = "bei der Schwerkraft zwischen den Körpern";
constexpr char kMoveFaultPlace[] = "beim Bewegen der Körper";
constexpr char kDrawFaultPlace[] = "beim Zeichnen der Bahnen";

// How many substeps each drawn step has ("Genauigkeit"); 1 is the classic step.
int SubstepsOf(const SimState& state);

// One drawn step of the interval in SubstepsOf(state) substeps of a
// fourth-order symplectic scheme (sim/substeps.cpp), drawn along the
// substeps' positions: SubstepKicks gravity phases with drifts between them.
// The step moves its own copy of the bodies and holds its drawing back; the
// state and the picture change only in EndSubsteps.
struct SubstepWork {
  int substeps = 1;          // SubstepsOf the state, read once a step
  std::vector<Body> bodies;  // as the step has moved them
  std::vector<double> from;  // x, y of each body where its next line starts
};
int SubstepKicks(const SubstepWork& work);
// The gravity phase's constant for kick `kick` of the step, 0 first.
double SubstepKickConstant(const SimState& state, const SubstepWork& work, int kick);
// The copy, the points where the bodies start, and the drift before kick 0.
void BeginSubsteps(const SimState& state, SubstepWork& work, Canvas& canvas);
// After kick `kick` has pulled work.bodies: the drifts and lines up to the
// next kick, or to the end of the step after the last.
void AfterSubstepKick(const SimState& state, int kick, SubstepWork& work, Canvas& canvas);
// The reach, the count, and the step's bodies and drawing made the state's
// and the picture's.
void EndSubsteps(SimState& state, SubstepWork& work, Canvas& canvas);

}  // namespace zelor
