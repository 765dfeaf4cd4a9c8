// A whole step on the sample Voyager.zel (the Sun, the planets and a probe):
// gravity, drawing and motion, as the saver runs it, without the window.
#include <benchmark/benchmark.h>

#include "common/file_system.h"
#include "sim/canvas.h"
#include "sim/sim.h"

namespace zelor {
namespace {

void SimStepVoyager(benchmark::State& state) {
  // The default sky and interval: 2 AU by 2 AU, 2 days a step.
  const RunConfig config{ZELOR_DATA_DIR "/Voyager.zel", 2, 2, 2};
  StdFileSystem files;
  Canvas canvas;
  canvas.Resize(1920, 1080);
  SimState sim;
  SimInit(sim, config, files, canvas);
  for (auto _ : state) SimStep(sim, canvas);
  benchmark::DoNotOptimize(canvas.TakeDirty());
  state.counters["steps/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["bodies"] = static_cast<double>(sim.Bodies.size());
}
BENCHMARK(SimStepVoyager);

// The same with every planet on the picture, as a saver run shows them, the
// places drawn taken once a frame of a run that steps as fast as it can.
void SimStepVoyagerWholeSky(benchmark::State& state) {
  const RunConfig config{ZELOR_DATA_DIR "/Voyager.zel", 64, 36, 2};
  StdFileSystem files;
  Canvas canvas;
  canvas.Resize(1920, 1080);
  SimState sim;
  SimInit(sim, config, files, canvas);
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
