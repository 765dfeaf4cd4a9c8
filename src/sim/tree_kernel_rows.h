// The body of every tree kernel, written once over a small set of vector
// operations (V) that each kernel file supplies for its instruction set.
// Included only by the kernel files; everything here has internal linkage.
#pragma once

#include <cstddef>

#include "sim/tree_kernel.h"

namespace zelor {
namespace {

// The pull of a vector of near bodies j on body i, softened:
//   K Mj (Xj - Xi) / (r² + ε²)^(3/2).
// MulAdd(a, b, c) is a × b + c, fused where the unit can.
// Where r² + ε² is 0 (body i itself, or one at its place, unsoftened) there
// is no direction: those lanes pull with a mass of 0 and divide by 1, as the
// exact kernel does, so no flag is raised.
template <class V>
inline void BodyPull(const TreeLists& l, std::size_t j, typename V::Reg xi, typename V::Reg yi,
                     typename V::Reg e2, typename V::Reg& sx, typename V::Reg& sy) {
  const auto dx = V::Sub(V::Load(l.px + j), xi);
  const auto dy = V::Sub(V::Load(l.py + j), yi);
  const auto r2 = V::MulAdd(dx, dx, V::MulAdd(dy, dy, e2));
  const auto near = V::Positive(r2);
  const auto k = V::KeepOrZero(near, V::Load(l.pk + j));
  const auto inv = V::InverseSqrt(V::KeepOrOne(near, r2));
  const auto f = V::Mul(k, V::Mul(V::Mul(inv, inv), inv));
  sx = V::MulAdd(f, dx, sx);
  sy = V::MulAdd(f, dy, sy);
}

// The pull of a vector of far cells, as the gradient of the potential of a
// mass M and traceless quadrupole at d = (body - centre of mass):
//   a = -M d / r³ + 3 S d / r⁵ + d (3/2 tr S / r⁵ - 15/2 dᵀS d / r⁷),
// with S the second moments of the mass (the lists hold 3 S and 3/2 tr S).
// A far cell is never at the body's place, so r² > 0.
template <class V>
inline void CellPull(const TreeLists& l, std::size_t j, typename V::Reg xi, typename V::Reg yi,
                     typename V::Reg e2, typename V::Reg& sx, typename V::Reg& sy) {
  const auto dx = V::Sub(xi, V::Load(l.cx + j));
  const auto dy = V::Sub(yi, V::Load(l.cy + j));
  const auto inv = V::InverseSqrt(V::MulAdd(dx, dx, V::MulAdd(dy, dy, e2)));
  const auto inv2 = V::Mul(inv, inv);
  const auto inv3 = V::Mul(inv, inv2);
  const auto inv5 = V::Mul(inv3, inv2);
  const auto qxy = V::Load(l.cxy + j);
  const auto qx = V::MulAdd(V::Load(l.cxx + j), dx, V::Mul(qxy, dy));
  const auto qy = V::MulAdd(V::Load(l.cyy + j), dy, V::Mul(qxy, dx));
  const auto dqd = V::MulAdd(dx, qx, V::Mul(dy, qy));
  const auto quad = V::Mul(inv5, V::MulAdd(V::Broadcast(-2.5), V::Mul(dqd, inv2), V::Load(l.ctr + j)));
  const auto radial = V::MulAdd(V::Load(l.ck + j), V::Sub(V::Broadcast(0.0), inv3), quad);
  sx = V::MulAdd(radial, dx, V::MulAdd(inv5, qx, sx));
  sy = V::MulAdd(radial, dy, V::MulAdd(inv5, qy, sy));
}

template <class V>
double Total(typename V::Reg v) {
  double lanes[V::kWidth];
  V::Store(lanes, v);
  double sum = 0;
  for (double lane : lanes) sum += lane;
  return sum;
}

// Two bodies at a time share the loads of the lists and give the processor
// two independent chains of sums; an odd last body is paired with itself.
template <class V>
void TreePulls(const TreeLists& l, const double* x, const double* y, std::size_t n, double* ax, double* ay) {
  constexpr std::size_t W = V::kWidth;
  const auto e2 = V::Broadcast(l.softening2);
  for (std::size_t i = 0; i < n; i += 2) {
    const std::size_t i1 = i + 1 < n ? i + 1 : i;
    const auto xi0 = V::Broadcast(x[i]), yi0 = V::Broadcast(y[i]);
    const auto xi1 = V::Broadcast(x[i1]), yi1 = V::Broadcast(y[i1]);
    auto sx0 = V::Broadcast(0.0), sy0 = sx0, sx1 = sx0, sy1 = sx0;
    for (std::size_t j = 0; j < l.bodies; j += W) {
      BodyPull<V>(l, j, xi0, yi0, e2, sx0, sy0);
      BodyPull<V>(l, j, xi1, yi1, e2, sx1, sy1);
    }
    for (std::size_t j = 0; j < l.cells; j += W) {
      CellPull<V>(l, j, xi0, yi0, e2, sx0, sy0);
      CellPull<V>(l, j, xi1, yi1, e2, sx1, sy1);
    }
    ax[i] += Total<V>(sx0);
    ay[i] += Total<V>(sy0);
    if (i1 != i) {
      ax[i1] += Total<V>(sx1);
      ay[i1] += Total<V>(sy1);
    }
  }
}

}  // namespace
}  // namespace zelor
