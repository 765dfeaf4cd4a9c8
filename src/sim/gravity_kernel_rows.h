// The body of every vector kernel, written once over a small set of vector
// operations (V) that each kernel file supplies for its instruction set.
//
// Included only by the kernel files, each compiled for its own instruction
// set: everything here has internal linkage, so the linker can never hand
// one kernel's copy of a function to another.
#pragma once

#include <cstddef>

#include "sim/gravity_kernel.h"

namespace zelor {
namespace {

// One pair (i, j) for a vector of bodies i, as the scalar loop does it:
//   r = sqrt(dx*dx + dy*dy); if (r > 0) VX = (Xj - Xi) * (K * Mj) / ((r*r)*r) + VX
// Xj - Xi is the exact negative of Xi - Xj, so its square is the same.
// Where r is not > 0 (the same place, or a not-a-number) the scalar loop does
// nothing, so those lanes pull with a mass of 0 and divide by 1, which raises
// no flag, and keep their old VX, VY. Their differences need no masking: with
// r = 0 they are finite, and a not-a-number r has already raised the
// invalid-operation flag in the comparison, which signals just as the scalar
// one does.
template <class V>
inline void Pair(typename V::Reg xi, typename V::Reg yi, typename V::Reg xj, typename V::Reg yj,
                 typename V::Reg mj, typename V::Reg k, typename V::Reg& vx, typename V::Reg& vy) {
  const auto dx = V::Sub(xj, xi);
  const auto dy = V::Sub(yj, yi);
  const auto r = V::Sqrt(V::Add(V::Mul(dx, dx), V::Mul(dy, dy)));
  const auto near = V::Positive(r);
  const auto pull = V::Mul(k, V::KeepOrZero(near, mj));
  const auto rs = V::KeepOrOne(near, r);
  const auto r3 = V::Mul(V::Mul(rs, rs), rs);
  const auto newX = V::Add(V::Div(V::Mul(dx, pull), r3), vx);
  const auto newY = V::Add(V::Div(V::Mul(dy, pull), r3), vy);
  vx = V::Select(near, newX, vx);
  vy = V::Select(near, newY, vy);
}

// Two vectors of bodies i at a time share the loads of body j and give the
// processor two independent chains of sums to overlap.
template <class V>
void GravityRows(const GravityArrays& a, std::size_t begin, std::size_t end) {
  constexpr std::size_t W = V::kWidth;
  const auto k = V::Broadcast(a.K);
  for (std::size_t i = begin; i < end; i += 2 * W) {
    const auto xi0 = V::Load(a.x + i), xi1 = V::Load(a.x + i + W);
    const auto yi0 = V::Load(a.y + i), yi1 = V::Load(a.y + i + W);
    auto vx0 = V::Load(a.vx + i), vx1 = V::Load(a.vx + i + W);
    auto vy0 = V::Load(a.vy + i), vy1 = V::Load(a.vy + i + W);
    for (std::size_t j = 0; j < a.count; ++j) {
      const auto xj = V::Broadcast(a.x[j]), yj = V::Broadcast(a.y[j]), mj = V::Broadcast(a.mass[j]);
      Pair<V>(xi0, yi0, xj, yj, mj, k, vx0, vy0);
      Pair<V>(xi1, yi1, xj, yj, mj, k, vx1, vy1);
    }
    V::Store(a.vx + i, vx0);
    V::Store(a.vx + i + W, vx1);
    V::Store(a.vy + i, vy0);
    V::Store(a.vy + i + W, vy1);
  }
}

}  // namespace
}  // namespace zelor
