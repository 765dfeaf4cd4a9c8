// The gravity kernel for SSE2, which every x86-64 processor has.
#include "sim/gravity_kernel.h"

#ifdef ZELOR_GRAVITY_X86
#include <emmintrin.h>

#include "sim/gravity_kernel_rows.h"

namespace zelor {
namespace {

struct Sse2 {
  using Reg = __m128d;
  using Mask = __m128d;
  static constexpr std::size_t kWidth = 2;
  static Reg Load(const double* p) { return _mm_loadu_pd(p); }
  static void Store(double* p, Reg v) { _mm_storeu_pd(p, v); }
  static Reg Broadcast(double v) { return _mm_set1_pd(v); }
  static Reg Add(Reg a, Reg b) { return _mm_add_pd(a, b); }
  static Reg Sub(Reg a, Reg b) { return _mm_sub_pd(a, b); }
  static Reg Mul(Reg a, Reg b) { return _mm_mul_pd(a, b); }
  static Reg Div(Reg a, Reg b) { return _mm_div_pd(a, b); }
  static Reg Sqrt(Reg a) { return _mm_sqrt_pd(a); }
  // cmpltpd with swapped operands: the signalling comparison, like r > 0.
  static Mask Positive(Reg r) { return _mm_cmpgt_pd(r, _mm_setzero_pd()); }
  static Reg KeepOrZero(Mask m, Reg v) { return _mm_and_pd(m, v); }
  static Reg KeepOrOne(Mask m, Reg v) { return _mm_or_pd(_mm_and_pd(m, v), _mm_andnot_pd(m, _mm_set1_pd(1.0))); }
  static Reg Select(Mask m, Reg yes, Reg no) { return _mm_or_pd(_mm_and_pd(m, yes), _mm_andnot_pd(m, no)); }
};

}  // namespace

void GravityRowsSse2(const GravityArrays& arrays, std::size_t begin, std::size_t end) {
  GravityRows<Sse2>(arrays, begin, end);
}

}  // namespace zelor
#endif
