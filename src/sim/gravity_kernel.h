// The vector kernels of the gravity phase. Each works on a structure of arrays
// and on a range of bodies i, summing the pull of every body j in ascending
// order, with exactly the operations of the scalar loop, so every lane gives
// the bits the scalar loop gives for that body.
#pragma once

#include <cstddef>

namespace zelor {

// Bodies one after another in five arrays. The arrays for i are padded to a
// multiple of kGravityBlock with copies of the last body: a padded lane does
// the very arithmetic a real one does, so it cannot raise a flag of its own.
struct GravityArrays {
  const double* x;
  const double* y;
  const double* mass;
  double* vx;
  double* vy;
  std::size_t count;  // bodies j, the real ones only
  double K;
};

// The kernels take bodies i in blocks of this many (two vectors of the widest
// unit), so a range split between threads never shares a cache line.
constexpr std::size_t kGravityBlock = 16;

using GravityKernel = void (*)(const GravityArrays& arrays, std::size_t begin, std::size_t end);

#if defined(__x86_64__) || defined(_M_X64)
#define ZELOR_GRAVITY_X86 1
void GravityRowsSse2(const GravityArrays& arrays, std::size_t begin, std::size_t end);
void GravityRowsAvx2(const GravityArrays& arrays, std::size_t begin, std::size_t end);
void GravityRowsAvx512(const GravityArrays& arrays, std::size_t begin, std::size_t end);
#endif

}  // namespace zelor
