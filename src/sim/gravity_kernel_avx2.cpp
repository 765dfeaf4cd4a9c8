// The gravity kernel for AVX2: four bodies per register. Compiled for AVX2
// alone, without FMA, and only called when the processor and the system
// support it.
#include "sim/gravity_kernel.h"

#ifdef ZELOR_GRAVITY_X86
#include "sim/gravity_kernel_rows.h"
#include "sim/simd_avx2.h"

namespace zelor {
namespace {

struct Avx2 : Avx2Ops {
  static Reg Div(Reg a, Reg b) { return _mm256_div_pd(a, b); }
  static Reg Sqrt(Reg a) { return _mm256_sqrt_pd(a); }
  static Reg Select(Mask m, Reg yes, Reg no) { return _mm256_blendv_pd(no, yes, m); }
};

}  // namespace

void GravityRowsAvx2(const GravityArrays& arrays, std::size_t begin, std::size_t end) {
  GravityRows<Avx2>(arrays, begin, end);
}

}  // namespace zelor
#endif
