// The AVX2 operations both vector kernels share (the exact kernel and the
// tree's): four doubles a register. Include it only from a file compiled for
// AVX2. Its functions have internal linkage on purpose: each kernel's file
// gets its own copy, compiled with that file's flags, so the linker can never
// hand one kernel the other's code.
#pragma once

#include <immintrin.h>

#include <cstddef>

namespace zelor {
namespace {

struct Avx2Ops {
  using Reg = __m256d;
  using Mask = __m256d;
  static constexpr std::size_t kWidth = 4;
  static Reg Load(const double* p) { return _mm256_loadu_pd(p); }
  static void Store(double* p, Reg v) { _mm256_storeu_pd(p, v); }
  static Reg Broadcast(double v) { return _mm256_set1_pd(v); }
  static Reg Add(Reg a, Reg b) { return _mm256_add_pd(a, b); }
  static Reg Sub(Reg a, Reg b) { return _mm256_sub_pd(a, b); }
  static Reg Mul(Reg a, Reg b) { return _mm256_mul_pd(a, b); }
  static Mask Positive(Reg r) { return _mm256_cmp_pd(r, _mm256_setzero_pd(), _CMP_GT_OS); }
  static Reg KeepOrZero(Mask m, Reg v) { return _mm256_and_pd(m, v); }
  static Reg KeepOrOne(Mask m, Reg v) { return _mm256_blendv_pd(_mm256_set1_pd(1.0), v, m); }
};

}  // namespace
}  // namespace zelor
