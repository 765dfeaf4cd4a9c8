// Floating-point faults: overflow, division by zero and invalid operations
// (such as 0/0) must stop a calculation instead of leaving an infinity or a
// not-a-number in the bodies. The processor records them in sticky flags, so
// a whole loop is checked with one look at the flags after it; underflow and
// rounding are ordinary and not looked at.
//
// Results must be stored (into the state, which the caller can see) before
// FloatFaultRaised is asked, so that the calculation cannot be moved past it.
#pragma once

#include <cfenv>

namespace zelor {

constexpr int kFloatFaults = FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID;

inline void ClearFloatFaults() { std::feclearexcept(kFloatFaults); }

inline bool FloatFaultRaised() { return std::fetestexcept(kFloatFaults) != 0; }

}  // namespace zelor
