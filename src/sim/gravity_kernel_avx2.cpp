// The gravity kernel for AVX2: four bodies per register. Compiled for AVX2
// alone, without FMA, and only called when the processor and the system
// support it.
#include "sim/gravity_kernel.h"

#ifdef ZELOR_GRAVITY_X86
#include <immintrin.h>

#include "sim/gravity_kernel_rows.h"

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
  static Reg Div(Reg a, Reg b) { return _mm256_div_pd(a, b); }
  static Reg Sqrt(Reg a) { return _mm256_sqrt_pd(a); }
  static Mask Positive(Reg r) { return _mm256_cmp_pd(r, _mm256_setzero_pd(), _CMP_GT_OS); }
  static Reg KeepOrZero(Mask m, Reg v) { return _mm256_and_pd(m, v); }
  static Reg KeepOrOne(Mask m, Reg v) { return _mm256_blendv_pd(_mm256_set1_pd(1.0), v, m); }
  static Reg Select(Mask m, Reg yes, Reg no) { return _mm256_blendv_pd(no, yes, m); }
};

}  // namespace

void GravityRowsAvx2(const GravityArrays& arrays, std::size_t begin, std::size_t end) {
  GravityRows<Avx2>(arrays, begin, end);
}

}  // namespace zelor
#endif
