// Rasterising: the short stretch each body travels in one step, and its point,
// on a full-HD picture.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "sim/canvas.h"

namespace zelor {
namespace {

struct Segment {
  float x, y, dx, dy;
};

// Segments anywhere on a 40 by 22.5 AU sky, each up to `length` pixels long.
std::vector<Segment> Segments(double lengthPixels) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> x(-20, 20), y(-11.25f, 11.25f);
  const float unit = 40.0f / 1920;  // AU per pixel
  std::uniform_real_distribution<float> d(static_cast<float>(-lengthPixels * unit), static_cast<float>(lengthPixels * unit));
  std::vector<Segment> segments(4096);
  for (Segment& s : segments) s = {x(random), y(random), d(random), d(random)};
  return segments;
}

Canvas FullHd() {
  Canvas canvas;
  canvas.Resize(1920, 1080);
  canvas.SetUserScale(-20, -11.25, 20, 11.25);
  return canvas;
}

void Lines(benchmark::State& state) {
  const std::vector<Segment> segments = Segments(static_cast<double>(state.range(0)));
  Canvas canvas = FullHd();
  std::size_t k = 0;
  for (auto _ : state) {
    const Segment& s = segments[k++ % segments.size()];
    canvas.Line(s.x, s.y, s.dx, s.dy, 0x00FFFF00);
  }
  benchmark::DoNotOptimize(canvas.Pixels());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Lines)->ArgName("pixels")->Arg(0)->Arg(1)->Arg(4)->Arg(16);

void Points(benchmark::State& state) {
  const std::vector<Segment> segments = Segments(0);
  Canvas canvas = FullHd();
  std::size_t k = 0;
  for (auto _ : state) {
    const Segment& s = segments[k++ % segments.size()];
    canvas.Point(s.x, s.y, 0x00FFFF00);
  }
  benchmark::DoNotOptimize(canvas.Pixels());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Points);

}  // namespace
}  // namespace zelor
