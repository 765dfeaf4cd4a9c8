#include "sim/cpu_features.h"

#if defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
#include <immintrin.h>
#include <intrin.h>
#endif

namespace zelor {
namespace {

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))

// The compiler's own test asks cpuid and, for AVX and AVX-512, also xgetbv
// whether the system saves the wider registers.
CpuFeatures Detect() {
  __builtin_cpu_init();
  CpuFeatures f;
  f.sse2 = __builtin_cpu_supports("sse2");
  f.avx2 = __builtin_cpu_supports("avx2");
  f.avx512f = __builtin_cpu_supports("avx512f");
  return f;
}

#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))

CpuFeatures Detect() {
  CpuFeatures f;
  int regs[4];
  __cpuid(regs, 0);
  const int highest = regs[0];
  __cpuid(regs, 1);
  f.sse2 = (regs[3] & (1 << 26)) != 0;
  const bool osxsave = (regs[2] & (1 << 27)) != 0;
  const bool avx = (regs[2] & (1 << 28)) != 0;
  if (!osxsave || !avx || highest < 7) return f;
  // XCR0: bits 1-2 for the SSE and AVX halves, 5-7 for the AVX-512 state.
  const unsigned long long xcr0 = _xgetbv(0);
  const bool ymmSaved = (xcr0 & 0x6) == 0x6;
  const bool zmmSaved = (xcr0 & 0xE6) == 0xE6;
  __cpuidex(regs, 7, 0);
  f.avx2 = ymmSaved && (regs[1] & (1 << 5)) != 0;
  f.avx512f = zmmSaved && (regs[1] & (1 << 16)) != 0;
  return f;
}

#else

CpuFeatures Detect() { return {}; }

#endif

}  // namespace

const CpuFeatures& DetectCpuFeatures() {
  static const CpuFeatures features = Detect();
  return features;
}

}  // namespace zelor
