#include "sim/gravity.h"

#include <cmath>
#include <cstddef>

namespace zelor {

void GravityPhase(std::vector<Body>& bodies, double K) {
  const std::size_t n = bodies.size();
  for (std::size_t i = 0; i < n; ++i) {
    Body& bi = bodies[i];
    for (std::size_t j = 0; j < n; ++j) {
      const Body& bj = bodies[j];
      const double dx = bi.X - bj.X;
      const double dy = bi.Y - bj.Y;
      const double r = std::sqrt(dx * dx + dy * dy);
      // Distance 0 is the body itself, or two bodies that happen to share a
      // place: neither has a direction to pull in.
      if (!(r > 0)) continue;
      const double pull = K * bj.Mass;
      const double r3 = (r * r) * r;
      bi.VX = (bj.X - bi.X) * pull / r3 + bi.VX;
      bi.VY = (bj.Y - bi.Y) * pull / r3 + bi.VY;
    }
  }
}

}  // namespace zelor
