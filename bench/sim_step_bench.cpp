// A whole step on the sample Voyager.zel (the Sun, the planets and a probe):
// gravity, drawing and motion, as the saver runs it, without the window.
#include <benchmark/benchmark.h>

#include "sim/canvas.h"
#include "sim/sim.h"
#include "voyager_start.h"

namespace zelor {
namespace {

void SimStepVoyager(benchmark::State& state) {
  // The default sky: 2 AU by 2 AU.
  Canvas canvas;
  SimState sim;
  StartVoyager(sim, canvas, 2, 2);
  for (auto _ : state) SimStep(sim, canvas);
  benchmark::DoNotOptimize(canvas.TakeDirty());
  state.counters["steps/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["bodies"] = static_cast<double>(sim.Bodies.size());
}
BENCHMARK(SimStepVoyager);

// The same with every planet on the picture, as a saver run shows them, the
// places drawn taken once a frame of a run that steps as fast as it can.
void SimStepVoyagerWholeSky(benchmark::State& state) {
  Canvas canvas;
  SimState sim;
  StartVoyager(sim, canvas, 64, 36);
  constexpr int kStepsPerFrame = 10000;
  int inFrame = 0;
  for (auto _ : state) {
    SimStep(sim, canvas);
    if (++inFrame == kStepsPerFrame) {
      inFrame = 0;
      benchmark::DoNotOptimize(canvas.TakeDirtyAreas());
    }
  }
  state.counters["steps/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(SimStepVoyagerWholeSky);

}  // namespace
}  // namespace zelor
