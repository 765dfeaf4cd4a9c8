// The tree kernel for AVX-512: eight list entries per register. Compiled for
// AVX-512F and only called when the processor and the system support it.
#include "sim/tree_kernel.h"

#if defined(__x86_64__) || defined(_M_X64)
#include "sim/simd_avx512.h"
#include "sim/tree_kernel_rows.h"

namespace zelor {
namespace {

struct Avx512 : Avx512Ops {
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
};

}  // namespace

void TreePullsAvx512(const TreeLists& lists, const double* x, const double* y, std::size_t n, double* ax,
                     double* ay) {
  TreePulls<Avx512>(lists, x, y, n, ax, ay);
}

}  // namespace zelor
#endif
