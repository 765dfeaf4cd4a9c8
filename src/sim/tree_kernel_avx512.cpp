// The tree kernel for AVX-512: eight list entries per register. Compiled for
// AVX-512F and only called when the processor and the system support it.
#include "sim/tree_kernel.h"

#if defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>

#include "sim/tree_kernel_rows.h"

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
  // Every AVX-512 unit fuses: one rounding, half the instructions.
  static Reg MulAdd(Reg a, Reg b, Reg c) { return _mm512_fmadd_pd(a, b, c); }
  // The estimate to 2^-14 and one Newton step: to about 1e-8, far below the
  // tree's own error, and without the divider, which a square root and a
  // division would keep busy for most of an interaction.
  static Reg InverseSqrt(Reg a) {
    const Reg y = _mm512_maskz_rsqrt14_pd(static_cast<__mmask8>(0xFF), a);
    const Reg half = _mm512_mul_pd(_mm512_set1_pd(0.5), a);
    return _mm512_mul_pd(y, _mm512_sub_pd(_mm512_set1_pd(1.5), _mm512_mul_pd(half, _mm512_mul_pd(y, y))));
  }
  static Mask Positive(Reg r) { return _mm512_cmp_pd_mask(r, _mm512_setzero_pd(), _CMP_GT_OS); }
  static Reg KeepOrZero(Mask m, Reg v) { return _mm512_maskz_mov_pd(m, v); }
  static Reg KeepOrOne(Mask m, Reg v) { return _mm512_mask_mov_pd(_mm512_set1_pd(1.0), m, v); }
};

}  // namespace

void TreePullsAvx512(const TreeLists& lists, const double* x, const double* y, std::size_t n, double* ax,
                     double* ay) {
  TreePulls<Avx512>(lists, x, y, n, ax, ay);
}

}  // namespace zelor
#endif
