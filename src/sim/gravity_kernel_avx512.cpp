// The gravity kernel for AVX-512: eight bodies per register. Masked lanes are
// not computed at all. Compiled for AVX-512F and only called when the
// processor and the system support it.
#include "sim/gravity_kernel.h"

#ifdef ZELOR_GRAVITY_X86
#include <immintrin.h>

#include "sim/gravity_kernel_rows.h"

namespace zelor {
namespace {

struct Avx512 {
  using Reg = __m512d;
  using Mask = __mmask8;
  static constexpr std::size_t kWidth = 8;
  static Reg Load(const double* p) { return _mm512_loadu_pd(p); }
  static void Store(double* p, Reg v) { _mm512_storeu_pd(p, v); }
  static Reg Broadcast(double v) { return _mm512_set1_pd(v); }
  static Reg Add(Reg a, Reg b) { return _mm512_add_pd(a, b); }
  static Reg Sub(Reg a, Reg b) { return _mm512_sub_pd(a, b); }
  static Reg Mul(Reg a, Reg b) { return _mm512_mul_pd(a, b); }
  static Reg Div(Reg a, Reg b) { return _mm512_div_pd(a, b); }
  // The masked form with every lane on: the plain one trips a false warning
  // about an undefined register in some compilers' headers.
  static Reg Sqrt(Reg a) { return _mm512_mask_sqrt_pd(a, static_cast<__mmask8>(0xFF), a); }
  static Mask Positive(Reg r) { return _mm512_cmp_pd_mask(r, _mm512_setzero_pd(), _CMP_GT_OS); }
  static Reg KeepOrZero(Mask m, Reg v) { return _mm512_maskz_mov_pd(m, v); }
  static Reg KeepOrOne(Mask m, Reg v) { return _mm512_mask_mov_pd(_mm512_set1_pd(1.0), m, v); }
  static Reg Select(Mask m, Reg yes, Reg no) { return _mm512_mask_mov_pd(no, m, yes); }
};

}  // namespace

void GravityRowsAvx512(const GravityArrays& arrays, std::size_t begin, std::size_t end) {
  GravityRows<Avx512>(arrays, begin, end);
}

}  // namespace zelor
#endif
