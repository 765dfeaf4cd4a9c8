// The tree kernel one list entry at a time, for processors without a vector
// unit this program knows.
#include <cmath>

#include "sim/tree_kernel.h"
#include "sim/tree_kernel_rows.h"

namespace zelor {
namespace {

struct Plain {
  using Reg = double;
  using Mask = bool;
  static constexpr std::size_t kWidth = 1;
  static Reg Load(const double* p) { return *p; }
  static void Store(double* p, Reg v) { *p = v; }
  static Reg Broadcast(double v) { return v; }
  static Reg Add(Reg a, Reg b) { return a + b; }
  static Reg Sub(Reg a, Reg b) { return a - b; }
  static Reg Mul(Reg a, Reg b) { return a * b; }
  static Reg MulAdd(Reg a, Reg b, Reg c) { return a * b + c; }
  static Reg InverseSqrt(Reg a) { return 1 / std::sqrt(a); }
  static Mask Positive(Reg r) { return r > 0; }
  static Reg KeepOrZero(Mask m, Reg v) { return m ? v : 0.0; }
  static Reg KeepOrOne(Mask m, Reg v) { return m ? v : 1.0; }
};

}  // namespace

void TreePullsPlain(const TreeLists& lists, const double* x, const double* y, std::size_t n, double* ax,
                    double* ay) {
  TreePulls<Plain>(lists, x, y, n, ax, ay);
}

}  // namespace zelor
