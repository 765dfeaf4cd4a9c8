// The AVX-512 operations both vector kernels share (the exact kernel and the
// tree's): eight doubles a register. Include it only from a file compiled for
// AVX-512F. Its functions have internal linkage on purpose: each kernel's
// file gets its own copy, compiled with that file's flags.
#pragma once

#include <immintrin.h>

#include <cstddef>

namespace zelor {
namespace {

struct Avx512Ops {
  using Reg = __m512d;
  using Mask = __mmask8;
  static constexpr std::size_t kWidth = 8;
  static Reg Load(const double* p) { return _mm512_loadu_pd(p); }
  static void Store(double* p, Reg v) { _mm512_storeu_pd(p, v); }
  static Reg Broadcast(double v) { return _mm512_set1_pd(v); }
  static Reg Add(Reg a, Reg b) { return _mm512_add_pd(a, b); }
  static Reg Sub(Reg a, Reg b) { return _mm512_sub_pd(a, b); }
  static Reg Mul(Reg a, Reg b) { return _mm512_mul_pd(a, b); }
  static Mask Positive(Reg r) { return _mm512_cmp_pd_mask(r, _mm512_setzero_pd(), _CMP_GT_OS); }
  static Reg KeepOrZero(Mask m, Reg v) { return _mm512_maskz_mov_pd(m, v); }
  static Reg KeepOrOne(Mask m, Reg v) { return _mm512_mask_mov_pd(_mm512_set1_pd(1.0), m, v); }
};

}  // namespace
}  // namespace zelor
