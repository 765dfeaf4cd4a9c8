// The pieces the classic step and the step in substeps share: one message for
// every fault, the window's single-precision coordinates and the count.
#pragma once

#include <string>

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
// substeps' positions.
void SubstepStep(SimState& state, Canvas& canvas);

}  // namespace zelor
