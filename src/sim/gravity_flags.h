// The fault flags of the gravity phase, and the floating-point settings its
// worker threads take over from the calling thread.
//
// Each worker checks its own sticky flags with the helpers of fp_faults.h.
#pragma once

#include "sim/fp_faults.h"

#if !(defined(__x86_64__) || defined(_M_X64))
#include <cfenv>
#endif

namespace zelor {

#if defined(__x86_64__) || defined(_M_X64)

// The six low bits of MXCSR are the sticky flags, the rest the settings.
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

#endif

}  // namespace zelor
