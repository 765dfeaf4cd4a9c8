// The gravity kernel for AVX-512: eight bodies per register. Masked lanes are
// not computed at all. Compiled for AVX-512F and only called when the
// processor and the system support it.
#include "sim/gravity_kernel.h"

#ifdef ZELOR_GRAVITY_X86
#include "sim/gravity_kernel_rows.h"
#include "sim/simd_avx512.h"

namespace zelor {
namespace {

struct Avx512 : Avx512Ops {
  static Reg Div(Reg a, Reg b) { return _mm512_div_pd(a, b); }
  // The masked form with every lane on: the plain one trips a false warning
  // about an undefined register in some compilers' headers.
  static Reg Sqrt(Reg a) { return _mm512_mask_sqrt_pd(a, static_cast<__mmask8>(0xFF), a); }
  static Reg Select(Mask m, Reg yes, Reg no) { return _mm512_mask_mov_pd(no, m, yes); }
};

}  // namespace

void GravityRowsAvx512(const GravityArrays& arrays, std::size_t begin, std::size_t end) {
  GravityRows<Avx512>(arrays, begin, end);
}

}  // namespace zelor
#endif
