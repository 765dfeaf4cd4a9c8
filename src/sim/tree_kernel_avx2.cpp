// The tree kernel for AVX2: four list entries per register. Compiled for AVX2
// and only called when the processor and the system support it.
#include "sim/tree_kernel.h"

#if defined(__x86_64__) || defined(_M_X64)
#include "sim/simd_avx2.h"
#include "sim/tree_kernel_rows.h"

namespace zelor {
namespace {

struct Avx2 : Avx2Ops {
  static Reg MulAdd(Reg a, Reg b, Reg c) { return _mm256_add_pd(_mm256_mul_pd(a, b), c); }
  static Reg InverseSqrt(Reg a) { return _mm256_div_pd(_mm256_set1_pd(1.0), _mm256_sqrt_pd(a)); }
};

}  // namespace

void TreePullsAvx2(const TreeLists& lists, const double* x, const double* y, std::size_t n, double* ax,
                   double* ay) {
  TreePulls<Avx2>(lists, x, y, n, ax, ay);
}

}  // namespace zelor
#endif
