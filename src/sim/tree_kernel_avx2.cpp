// The tree kernel for AVX2: four list entries per register. Compiled for AVX2
// and only called when the processor and the system support it.
#include "sim/tree_kernel.h"

#if defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>

#include "sim/tree_kernel_rows.h"

namespace zelor {
namespace {

struct Avx2 {
  using Reg = __m256d;
  using Mask = __m256d;
  static constexpr std::size_t kWidth = 4;
  static Reg Load(const double* p) { return _mm256_loadu_pd(p); }
  static void Store(double* p, Reg v) { _mm256_storeu_pd(p, v); }
  static Reg Broadcast(double v) { return _mm256_set1_pd(v); }
  static Reg Add(Reg a, Reg b) { return _mm256_add_pd(a, b); }
  static Reg Sub(Reg a, Reg b) { return _mm256_sub_pd(a, b); }
  static Reg Mul(Reg a, Reg b) { return _mm256_mul_pd(a, b); }
  static Reg MulAdd(Reg a, Reg b, Reg c) { return _mm256_add_pd(_mm256_mul_pd(a, b), c); }
  static Reg InverseSqrt(Reg a) { return _mm256_div_pd(_mm256_set1_pd(1.0), _mm256_sqrt_pd(a)); }
  static Mask Positive(Reg r) { return _mm256_cmp_pd(r, _mm256_setzero_pd(), _CMP_GT_OS); }
  static Reg KeepOrZero(Mask m, Reg v) { return _mm256_and_pd(m, v); }
  static Reg KeepOrOne(Mask m, Reg v) { return _mm256_blendv_pd(_mm256_set1_pd(1.0), v, m); }
};

}  // namespace

void TreePullsAvx2(const TreeLists& lists, const double* x, const double* y, std::size_t n, double* ax,
                   double* ay) {
  TreePulls<Avx2>(lists, x, y, n, ax, ay);
}

}  // namespace zelor
#endif
