// The price of the setting "Genauigkeit" and what it buys, for 1, 4, 16 and
// 64 substeps a drawn step: the processor share of a run at tempo 60 and the
// steps a second at tempo 0 on Voyager.zel; the error of a circular Sun–Earth
// orbit after 10 years of 2-day steps against its analytic position; and the
// largest relative change of Voyager.zel's total energy over 100 years.
// bench/summarise_accuracy.py prints them as one table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "shell/frame_pacer.h"
#include "shell/tempo_pacer.h"
#include "sim/canvas.h"
#include "sim/sim.h"
#include "sim/units.h"
#include "sim_energy.h"
#include "voyager_start.h"

namespace zelor {
namespace {

// The accuracies measured: substeps a drawn step.
void Accuracies(benchmark::internal::Benchmark* bench) {
  for (int substeps : {1, 4, 16, 64}) bench->Arg(substeps);
}

// Processor time of the whole process so far, in seconds.
double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Steps at tempo 60 for ZELOR_BENCH_PACED_SECONDS (default 5), paced as the
// saver loop paces them (shell/tempo_pacer.h, shell/frame_pacer.h): the steps
// that are due, the places drawn taken at the display's 60 frames a second,
// then a sleep until the next step or frame. Without a window: the share is
// the simulation's and the loop's own.
void AccuracyTempo60Voyager(benchmark::State& state) {
  const char* seconds = std::getenv("ZELOR_BENCH_PACED_SECONDS");
  const double runSeconds = seconds ? std::atof(seconds) : 5;
  Canvas canvas;
  SimState sim;
  StartVoyager(sim, canvas, 2, 2, static_cast<int>(state.range(0)));
  double share = 0, stepsPerSecond = 0;
  for (auto _ : state) {
    TempoPacer tempo(60, 60);
    FramePacer frames(60);
    const auto start = std::chrono::steady_clock::now();
    const auto nowUs = [&] {
      return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    };
    const std::int64_t stopUs = static_cast<std::int64_t>(runSeconds * 1e6);
    const double cpuAtStart = ProcessCpuSeconds();
    std::int64_t steps = 0;
    for (std::int64_t now = 0; now < stopUs; now = nowUs()) {
      for (std::int64_t due = tempo.StepsDue(now); due > 0; --due, ++steps) SimStep(sim, canvas);
      if (frames.PresentDue(nowUs())) benchmark::DoNotOptimize(canvas.TakeDirtyAreas());
      const std::int64_t wakeUs = std::min(std::max(tempo.NextStepUs(), frames.NextPresentUs()), stopUs);
      std::this_thread::sleep_until(start + std::chrono::microseconds(wakeUs));
    }
    const double wall = static_cast<double>(nowUs()) / 1e6;
    share = (ProcessCpuSeconds() - cpuAtStart) / wall;
    stepsPerSecond = static_cast<double>(steps) / wall;
  }
  state.counters["cpu %"] = 100 * share;
  state.counters["steps/s"] = stepsPerSecond;
}
BENCHMARK(AccuracyTempo60Voyager)->Apply(Accuracies)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

// Steps back to back, the places drawn taken every 1000 steps.
void AccuracyStepsVoyager(benchmark::State& state) {
  Canvas canvas;
  SimState sim;
  StartVoyager(sim, canvas, 2, 2, static_cast<int>(state.range(0)));
  int inFrame = 0;
  for (auto _ : state) {
    SimStep(sim, canvas);
    if (++inFrame == 1000) {
      inFrame = 0;
      benchmark::DoNotOptimize(canvas.TakeDirtyAreas());
    }
  }
  state.counters["steps/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(AccuracyStepsVoyager)->Apply(Accuracies);

// The Sun and the Earth (332,946 and 1 Earth masses) 1 AU apart, their centre
// of mass at rest, on the circular orbit: the Earth's place relative to the
// Sun turns at the angular speed ω = √(G (M + m) / a³). The distance from
// that place after 10 years of 2-day steps, as a share of a.
double SunEarthError(int substeps) {
  constexpr double kSun = 332946, kEarth = 1, kDays = 2;
  constexpr int kSteps = 1826;  // 3652 days
  const double a = kMetresPerAU, total = kSun + kEarth, dt = kDays * 86400;
  const double speed = std::sqrt(kEarthGravParameter * total / a);  // of the Earth relative to the Sun
  SimState sim;
  sim.SimInterval = kDays;
  sim.Values.Set(kKeyGenauigkeit, substeps);
  sim.BodyFile = "SonneErde.zel";
  Body sun, earth;
  sun.Mass = kSun;
  sun.X = -a * kEarth / total;
  sun.VY = -speed * dt * kEarth / total;
  earth.Mass = kEarth;
  earth.X = a * kSun / total;
  earth.VY = speed * dt * kSun / total;
  sun.Color = earth.Color = 0xFFFFFF;
  sim.Bodies = {sun, earth};
  Canvas canvas;
  canvas.Resize(50, 50);
  canvas.SetUserScale(-2, -2, 2, 2);
  for (int k = 0; k < kSteps; ++k) SimStep(sim, canvas);
  const double angle = speed / a * kSteps * dt;
  const double x = sim.Bodies[1].X - sim.Bodies[0].X, y = sim.Bodies[1].Y - sim.Bodies[0].Y;
  return std::hypot(x - a * std::cos(angle), y - a * std::sin(angle)) / a;
}

void AccuracyErrors(benchmark::State& state) {
  const int substeps = static_cast<int>(state.range(0));
  double sunEarth = 0, energy = 0;
  for (auto _ : state) {
    sunEarth = SunEarthError(substeps);
    Canvas canvas;
    SimState sim;
    StartVoyager(sim, canvas, 2, 2, substeps);
    energy = LargestEnergyChange(sim, canvas, 18263);  // 100 years of 2 days
  }
  state.counters["Sun-Earth error"] = sunEarth;
  state.counters["energy drift"] = energy;
}
BENCHMARK(AccuracyErrors)->Apply(Accuracies)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace zelor
