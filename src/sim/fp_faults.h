// Floating-point faults: overflow, division by zero and invalid operations
// (such as 0/0) must stop a calculation instead of leaving an infinity or a
// not-a-number in the bodies. The processor records them in sticky flags, so
// a whole loop is checked with one look at the flags after it; underflow and
// rounding are ordinary and not looked at.
//
// On x86-64 all double arithmetic is SSE, so the SSE status register is read
// and written directly: the C library's functions also cover the x87 unit and,
// with MinGW, ask the processor for its features on every call, which costs
// microseconds in a virtual machine, more than a whole step of ten bodies.
//
// Results must be stored (into the state, which the caller can see) before
// FloatFaultRaised is asked, so that the calculation cannot be moved past it.
#pragma once

#if defined(__x86_64__) || defined(_M_X64)
#include <xmmintrin.h>
#else
#include <cfenv>
#endif

namespace zelor {

#if defined(__x86_64__) || defined(_M_X64)

// MXCSR: invalid operation 0x01, division by zero 0x04, overflow 0x08.
constexpr unsigned kSseFaults = 0x01 | 0x04 | 0x08;

inline void ClearFloatFaults() { _mm_setcsr(_mm_getcsr() & ~kSseFaults); }
inline bool FloatFaultRaised() { return (_mm_getcsr() & kSseFaults) != 0; }

#else

constexpr int kFloatFaults = FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID;

inline void ClearFloatFaults() { std::feclearexcept(kFloatFaults); }
inline bool FloatFaultRaised() { return std::fetestexcept(kFloatFaults) != 0; }

#endif

}  // namespace zelor
