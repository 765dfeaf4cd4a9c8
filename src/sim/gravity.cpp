#include "sim/gravity.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <thread>

#include "sim/cpu_features.h"
#include "sim/gravity_flags.h"
#include "sim/gravity_kernel.h"
#include "sim/gravity_threads.h"

namespace zelor {
namespace {

// Below this many bodies a phase takes less time than waking another thread.
constexpr std::size_t kThreadedFromBodies = 256;

// The bodies as five arrays, kept between steps so that a step allocates
// nothing once the set has been seen.
class GravityBuffer {
 public:
  GravityArrays Fill(const std::vector<Body>& bodies, double K) {
    const std::size_t n = bodies.size();
    padded_ = (n + kGravityBlock - 1) / kGravityBlock * kGravityBlock;
    // 64-byte alignment, so that blocks of different threads never share a
    // cache line.
    storage_.resize(5 * padded_ + 8);
    const auto address = reinterpret_cast<std::uintptr_t>(storage_.data());
    double* base = storage_.data() + ((64 - address % 64) % 64) / sizeof(double);
    double *x = base, *y = x + padded_, *mass = y + padded_, *vx = mass + padded_, *vy = vx + padded_;
    for (std::size_t i = 0; i < padded_; ++i) {
      const Body& b = bodies[std::min(i, n - 1)];
      x[i] = b.X;
      y[i] = b.Y;
      mass[i] = b.Mass;
      vx[i] = b.VX;
      vy[i] = b.VY;
    }
    return GravityArrays{x, y, mass, vx, vy, n, K};
  }

  std::size_t Padded() const { return padded_; }

 private:
  std::vector<double> storage_;
  std::size_t padded_ = 0;
};

GravityWidth Widest() {
  static const GravityWidth widest = SupportedGravityWidths().back();
  return widest;
}

// A width this machine cannot run falls back to the widest it can, rather
// than stopping on an unknown instruction.
GravityKernel KernelFor(GravityWidth width) {
  if (width == GravityWidth::Automatic || static_cast<int>(width) > static_cast<int>(Widest())) width = Widest();
#ifdef ZELOR_GRAVITY_X86
  switch (width) {
    case GravityWidth::Sse2: return GravityRowsSse2;
    case GravityWidth::Avx2: return GravityRowsAvx2;
    case GravityWidth::Avx512: return GravityRowsAvx512;
    default: break;
  }
#else
  (void)width;
#endif
  return nullptr;
}

// The plain loop over the arrays for bodies i in [begin, end), where no
// vector kernel exists.
void ScalarRows(const GravityArrays& a, std::size_t begin, std::size_t end) {
  for (std::size_t i = begin; i < std::min(end, a.count); ++i) {
    for (std::size_t j = 0; j < a.count; ++j) {
      const double dx = a.x[i] - a.x[j];
      const double dy = a.y[i] - a.y[j];
      const double r = std::sqrt(dx * dx + dy * dy);
      if (!(r > 0)) continue;
      const double pull = a.K * a.mass[j];
      const double r3 = (r * r) * r;
      a.vx[i] = (a.x[j] - a.x[i]) * pull / r3 + a.vx[i];
      a.vy[i] = (a.y[j] - a.y[i]) * pull / r3 + a.vy[i];
    }
  }
}

void CopyDisplacements(const GravityArrays& arrays, std::vector<Body>& bodies) {
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    bodies[i].VX = arrays.vx[i];
    bodies[i].VY = arrays.vy[i];
  }
}

struct Phase {
  GravityKernel kernel;
  GravityArrays arrays;
  std::size_t firstBlock = 0;
};

// One chunk is one block of bodies i: small enough that the threads share the
// work evenly, large enough that handing it out costs nothing in comparison.
void RunChunk(void* context, std::size_t chunk) {
  const auto& phase = *static_cast<const Phase*>(context);
  const std::size_t block = phase.firstBlock + chunk;
  phase.kernel(phase.arrays, block * kGravityBlock, (block + 1) * kGravityBlock);
}

int ThreadsFor(std::size_t n, int asked) {
  if (asked > 0) return std::min(asked, 64);
  if (n < kThreadedFromBodies) return 1;
  static const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  return cores;
}

}  // namespace

void GravityPhaseScalar(std::vector<Body>& bodies, double K) {
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

bool GravityPhase(std::vector<Body>& bodies, double K) { return GravityPhase(bodies, K, GravityPlan{}); }

bool GravityPhase(std::vector<Body>& bodies, double K, const GravityPlan& plan) {
  const GravityKernel kernel = KernelFor(plan.width);
  if (bodies.empty() || !kernel) {
    ClearFloatFaults();
    GravityPhaseScalar(bodies, K);
    return FloatFaultRaised();
  }

  // Every block at once.
  thread_local GravityInBlocks phase;
  phase.Start(bodies, K, plan.width);
  phase.NextBlocks(SIZE_MAX, plan.threads);
  return phase.Finish(bodies);
}

static_assert(GravityInBlocks::kBodiesPerBlock == kGravityBlock, "the blocks are the kernels' blocks");

struct GravityInBlocks::Work {
  GravityBuffer buffer;
  Phase phase{};
  std::size_t next = 0, end = 0;  // blocks
  bool fault = false;
};

GravityInBlocks::GravityInBlocks() : work_(std::make_unique<Work>()) {}
GravityInBlocks::~GravityInBlocks() = default;

void GravityInBlocks::Start(const std::vector<Body>& bodies, double K, GravityWidth width) {
  Work& w = *work_;
  w.phase.kernel = KernelFor(width);
  if (!w.phase.kernel) w.phase.kernel = ScalarRows;
  w.phase.arrays = bodies.empty() ? GravityArrays{} : w.buffer.Fill(bodies, K);
  w.next = 0;
  w.end = bodies.empty() ? 0 : w.buffer.Padded() / kGravityBlock;
  w.fault = false;
}

bool GravityInBlocks::Done() const { return work_->next >= work_->end; }

// The caller's own code runs between pieces, so each piece reads the fault
// flags on its own.
std::size_t GravityInBlocks::NextBlocks(std::size_t blocks, int threads) {
  Work& w = *work_;
  if (Done()) return 0;
  w.phase.firstBlock = w.next;
  const std::size_t count = std::min(std::max<std::size_t>(blocks, 1), w.end - w.next);
  w.fault = RunGravityChunks(count, ThreadsFor(w.phase.arrays.count, threads), RunChunk, &w.phase) || w.fault;
  w.next += count;
  return count;
}

bool GravityInBlocks::Finish(std::vector<Body>& bodies) {
  if (!bodies.empty()) CopyDisplacements(work_->phase.arrays, bodies);
  return work_->fault;
}

std::vector<GravityWidth> SupportedGravityWidths() {
  std::vector<GravityWidth> widths{GravityWidth::Scalar};
#ifdef ZELOR_GRAVITY_X86
  const CpuFeatures& cpu = DetectCpuFeatures();
  widths.push_back(GravityWidth::Sse2);  // part of every x86-64 processor
  if (cpu.avx2) widths.push_back(GravityWidth::Avx2);
  if (cpu.avx512f) widths.push_back(GravityWidth::Avx512);
#endif
  return widths;
}

const char* GravityWidthName(GravityWidth width) {
  switch (width) {
    case GravityWidth::Automatic: return "automatic";
    case GravityWidth::Scalar: return "scalar";
    case GravityWidth::Sse2: return "SSE2";
    case GravityWidth::Avx2: return "AVX2";
    case GravityWidth::Avx512: return "AVX-512";
  }
  return "?";
}

}  // namespace zelor
