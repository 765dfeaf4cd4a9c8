// The pulls of the tree gravity on a group of bodies: one list of near
// bodies, pulling one by one, and one of far cells, pulling by mass and
// quadrupole moment. Vector kernels run down the lists a vector of entries at
// a time; which one runs is chosen by the processor, as for the exact kernel.
#pragma once

#include <cstddef>

namespace zelor {

// The lists are padded to a multiple of this with entries of no mass: the
// width of the widest vector unit.
constexpr std::size_t kTreeListPad = 8;

struct TreeLists {
  // Near bodies: position and K × mass.
  const double *px, *py, *pk;
  std::size_t bodies;
  // Far cells: centre of mass, K × mass, three times the second moments
  // (xx, xy, yy) and half their trace.
  const double *cx, *cy, *ck, *cxx, *cxy, *cyy, *ctr;
  std::size_t cells;
  double softening2;  // ε²
};

// Adds the lists' pull on each of the n bodies at (x[i], y[i]) into ax[i], ay[i].
using TreeKernel = void (*)(const TreeLists& lists, const double* x, const double* y, std::size_t n, double* ax,
                            double* ay);

void TreePullsPlain(const TreeLists& lists, const double* x, const double* y, std::size_t n, double* ax,
                    double* ay);
#if defined(__x86_64__) || defined(_M_X64)
void TreePullsAvx2(const TreeLists& lists, const double* x, const double* y, std::size_t n, double* ax,
                   double* ay);
void TreePullsAvx512(const TreeLists& lists, const double* x, const double* y, std::size_t n, double* ax,
                     double* ay);
#endif

}  // namespace zelor
