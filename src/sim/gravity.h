// The gravity phase of a step: every body's displacement per step changes by
// the pull of every other body, all taken from the positions at the start of
// the step.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "sim/sim_state.h"
#include "sim/units.h"

namespace zelor {

// K = Δt² × kEarthGravParameter (Δt in seconds), so that K × Mass / r² is the change of a
// displacement per step (metres per step) caused by a body of that mass.
//
// For each body i, for each body j in order (i itself included), at distance
// r = sqrt(dx*dx + dy*dy) with dx = Xi - Xj, dy = Yi - Yj, and only when r > 0:
//   VXi = (Xj - Xi) * (K * Mj) / ((r * r) * r) + VXi
//   VYi = (Yj - Yi) * (K * Mj) / ((r * r) * r) + VYi
// evaluated in exactly this order. This is the plain loop that every faster
// version must match bit for bit. Positions are not changed. Faults
// (overflow, division by zero, invalid) are left in the floating-point flags.
void GravityPhaseScalar(std::vector<Body>& bodies, double K);

// How many doubles one vector instruction takes; Scalar is the plain loop.
enum class GravityWidth { Automatic = 0, Scalar = 1, Sse2 = 2, Avx2 = 4, Avx512 = 8 };

struct GravityPlan {
  GravityWidth width = GravityWidth::Automatic;  // Automatic: the widest this machine runs
  int threads = 0;                               // 0: by the number of bodies and of cores
};

// The same result as GravityPhaseScalar, bit for bit, computed for several
// bodies i at once and, for large sets, on all cores. Returns true when the
// phase raised overflow, division by zero or an invalid operation in any
// thread; the bodies then hold what the plain loop would have left.
bool GravityPhase(std::vector<Body>& bodies, double K);
bool GravityPhase(std::vector<Body>& bodies, double K, const GravityPlan& plan);

// The gravity phase a few blocks of bodies at a time, for a caller that must
// look at something else between them: the preview at its frame's time, the
// saver at its input. Gives GravityPhase's bits, whatever the blocks and the
// threads. The bodies must not change between Start and Finish.
class GravityInBlocks {
 public:
  GravityInBlocks();
  ~GravityInBlocks();
  // With a width this machine cannot run, the plain rows.
  void Start(const std::vector<Body>& bodies, double K, GravityWidth width = GravityWidth::Automatic);
  bool Done() const;
  // Bodies i pulled by every body j in each block.
  static constexpr std::size_t kBodiesPerBlock = 16;
  // Pulls the next `blocks` blocks of bodies i (fewer at the end) by every
  // body j: on the calling thread alone when `threads` is 1, on all cores as
  // GravityPhase would when it is 0. Returns how many it pulled.
  std::size_t NextBlocks(std::size_t blocks, int threads);
  // Gives the bodies their new displacements; true when any block raised
  // overflow, division by zero or an invalid operation.
  bool Finish(std::vector<Body>& bodies);

 private:
  struct Work;
  std::unique_ptr<Work> work_;
};

// The widths this processor and system can run, narrowest first, Scalar included.
std::vector<GravityWidth> SupportedGravityWidths();
const char* GravityWidthName(GravityWidth width);

}  // namespace zelor
