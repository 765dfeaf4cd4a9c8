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

}  // namespace
}  // namespace zelor
