// The fault flags of the gravity phase, and the floating-point settings its
// worker threads take over from the calling thread.
//
// All arithmetic of the phase is SSE (the vector kernels, and the plain loop
// on x86-64), so there the SSE status register is read and written directly.
// The C library's functions also cover the x87 unit and, with MinGW, ask the
// processor for its features on every call, which costs microseconds inside a
// virtual machine: more than a whole step of a small set of bodies.
#pragma once

#if defined(__x86_64__) || defined(_M_X64)
#include <xmmintrin.h>
#else
#include <cfenv>

#include "sim/fp_faults.h"
#endif

namespace zelor {

#if defined(__x86_64__) || defined(_M_X64)

// MXCSR: invalid operation 0x01, division by zero 0x04, overflow 0x08; the
// six low bits are the sticky flags, the rest the settings.
constexpr unsigned kSseFaults = 0x01 | 0x04 | 0x08;
constexpr unsigned kSseAllFlags = 0x3F;

class GravityFloatSettings {
 public:
  // The calling thread's rounding and denormal settings, without its flags.
  static GravityFloatSettings OfThisThread() { return GravityFloatSettings(_mm_getcsr() & ~kSseAllFlags); }
  // Takes them over, with all flags clear.
  void Apply() const { _mm_setcsr(control_); }

 private:
  explicit GravityFloatSettings(unsigned control) : control_(control) {}
  unsigned control_;
};

inline void ClearGravityFaults() { _mm_setcsr(_mm_getcsr() & ~kSseFaults); }
inline bool GravityFaultRaised() { return (_mm_getcsr() & kSseFaults) != 0; }

#else

class GravityFloatSettings {
 public:
  static GravityFloatSettings OfThisThread() {
    GravityFloatSettings s;
    std::fegetenv(&s.env_);
    return s;
  }
  void Apply() const {
    std::fesetenv(&env_);
    ClearFloatFaults();
  }

 private:
  std::fenv_t env_{};
};

inline void ClearGravityFaults() { ClearFloatFaults(); }
inline bool GravityFaultRaised() { return FloatFaultRaised(); }

#endif

}  // namespace zelor
