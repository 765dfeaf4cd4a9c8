// The gravity phase alone: the plain loop against the vector kernel for every
// width this machine runs, on one thread and on all cores. The counter
// "pairs/s" counts the N² ordered pairs of a phase.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "sim/gravity.h"

namespace zelor {
namespace {

constexpr double kAU = 1.5e11;
constexpr double kTwoDays = 2 * 86400.0;
constexpr double kK = kTwoDays * kTwoDays * kEarthGravParameter;

// A flat cloud of bodies within 50 AU, from moons to giant planets.
std::vector<Body> Cloud(std::size_t n) {
  std::mt19937_64 random(n);
  std::uniform_real_distribution<double> radius(0, 50 * kAU), angle(0, 6.283185307179586), exponent(-3, 3);
  std::vector<Body> bodies(n);
  for (Body& b : bodies) {
    const double r = radius(random), a = angle(random);
    b.X = r * std::cos(a);
    b.Y = r * std::sin(a);
    b.Mass = std::pow(10.0, exponent(random));
  }
  return bodies;
}

void SetPairs(benchmark::State& state, std::size_t n) {
  const double pairs = static_cast<double>(n) * static_cast<double>(n);
  state.counters["pairs/s"] = benchmark::Counter(pairs * state.iterations(), benchmark::Counter::kIsRate);
}

void Scalar(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  std::vector<Body> bodies = Cloud(n);
  for (auto _ : state) {
    GravityPhaseScalar(bodies, kK);
    benchmark::DoNotOptimize(bodies.data());
  }
  SetPairs(state, n);
}

void Kernel(benchmark::State& state, GravityWidth width, int threads) {
  const auto n = static_cast<std::size_t>(state.range(0));
  std::vector<Body> bodies = Cloud(n);
  const GravityPlan plan{width, threads};
  for (auto _ : state) benchmark::DoNotOptimize(GravityPhase(bodies, kK, plan));
  SetPairs(state, n);
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int n : {10, 100, 256, 1000, 4096, 32766}) b->Arg(n);
  b->UseRealTime()->Unit(benchmark::kMicrosecond);
}

// Registered at start-up, since the widths are only known at run time.
const bool kRegistered = [] {
  Sizes(benchmark::RegisterBenchmark("Gravity/scalar loop", Scalar));
  const int cores = std::max(1u, std::thread::hardware_concurrency());
  for (GravityWidth width : SupportedGravityWidths()) {
    if (width == GravityWidth::Scalar) continue;
    for (int threads : {1, cores}) {
      const std::string name = std::string("Gravity/") + GravityWidthName(width) + "/threads:" + std::to_string(threads);
      Sizes(benchmark::RegisterBenchmark(name.c_str(), Kernel, width, threads));
      if (cores == 1) break;
    }
  }
  // What a step uses: the widest width, threads by the size of the set.
  Sizes(benchmark::RegisterBenchmark("Gravity/automatic", Kernel, GravityWidth::Automatic, 0));
  return true;
}();

}  // namespace
}  // namespace zelor
