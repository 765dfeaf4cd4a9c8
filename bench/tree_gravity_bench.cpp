// The tree gravity against the exact kernel, on a file like two galaxies and
// on a uniform random one (or on a body file named on the command line):
//   - the relative force error, RMS and 99th percentile, for opening angles
//     0.3 to 1.0, unsoftened, so that it is the tree's error alone; and the
//     change the run's softening adds at the default angle;
//   - whole steps (gravity, drawing into a 1920 x 1080 canvas, moves, the
//     picture's places taken as a frame does): steps per second and the
//     process's processor time per step, tree and exact, in the same run.
// Usage: tree_gravity_bench [--seconds S] [--bodies N] [--steps-only] [FILE.zel]
// Built for Linux; it also builds with MinGW, to run under Wine.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "sim/body_file.h"
#include "sim/canvas.h"
#include "sim/gravity.h"
#include "sim/sim.h"
#include "sim/step_parts.h"
#include "sim/tree_gravity.h"
#include "sim/units.h"

namespace zelor {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kSunMasses = 332946;  // Earth masses
constexpr double kIntervalDays = 10;

BodyRecord Record(double mass, double x, double y, double vx, double vy, std::int32_t color) {
  BodyRecord r;
  r.Name = "Stern";
  r.Mass = mass;
  r.X = x;
  r.Y = y;
  r.Speed = std::hypot(vx, vy);
  r.Direction = std::atan2(vy, vx) * 180 / kPi;
  r.Color = color;
  return r;
}

// A disc of `stars` stars of radius R (metres) about a central mass: the
// surface density falls as 1/r, the stars on circular orbits about the mass
// within their radius, with a few per cent of scatter.
void AddDisc(std::vector<BodyRecord>& out, std::mt19937_64& random, int stars, double cx, double cy, double vx,
             double vy, std::int32_t color) {
  const double R = 20 * kMetresPerAU, central = kSunMasses, discMass = 0.2 * kSunMasses;
  const double gm = kEarthGravParameter;
  std::uniform_real_distribution<double> unit(0, 1);
  std::normal_distribution<double> scatter(0, 0.03);
  out.push_back(Record(central, cx, cy, vx, vy, 0x00FFFFFF));
  for (int s = 0; s < stars; ++s) {
    const double r = R * (0.03 + 0.97 * unit(random)), a = 2 * kPi * unit(random);
    const double v = std::sqrt(gm * (central + discMass * r / R) / r) * (1 + scatter(random));
    out.push_back(Record(discMass / stars, cx + r * std::cos(a), cy + r * std::sin(a), vx - v * std::sin(a),
                         vy + v * std::cos(a), color));
  }
}

std::vector<BodyRecord> TwoGalaxies(int n) {
  std::mt19937_64 random(35);
  std::vector<BodyRecord> out;
  const double d = 30 * kMetresPerAU, v = 1.5e3;
  AddDisc(out, random, n / 2 - 1, -d, -d / 3, v, 0, 0x00FFC080);
  AddDisc(out, random, n - n / 2 - 1, d, d / 3, -v, 0, 0x0080C0FF);
  return out;
}

// Equal masses spread evenly over a square of 80 AU, at rest.
std::vector<BodyRecord> Uniform(int n) {
  std::mt19937_64 random(36);
  std::uniform_real_distribution<double> place(-40 * kMetresPerAU, 40 * kMetresPerAU);
  std::vector<BodyRecord> out;
  for (int i = 0; i < n; ++i) out.push_back(Record(10, place(random), place(random), 0, 0, 0x00FFFFFF));
  return out;
}

// A run of the file on a 1920 x 1080 canvas whose sky holds it.
void Start(const std::string& path, SimState& sim, Canvas& canvas) {
  StdFileSystem files;
  canvas.Resize(1920, 1080);
  SimInit(sim, RunConfig{path, 192, 108, kIntervalDays}, files, canvas);
  sim.Gravity = GravityChoice{};  // the set-up chose the tree for a large file; the timings need every pair
  double reach = 0;
  for (const Body& b : sim.Bodies) reach = std::max({reach, std::fabs(b.X) * 1080 / 1920, std::fabs(b.Y)});
  const double h = 2.2 * reach / kMetresPerAU;
  canvas.SetUserScale(-h * 1920 / 1080 / 2, -h / 2, h * 1920 / 1080 / 2, h / 2);
}

// The change of each body's displacement in one phase: its pull.
struct Pulls {
  std::vector<double> x, y;
};

template <class PhaseFn>
Pulls PullsOf(std::vector<Body> bodies, PhaseFn phase) {
  for (Body& b : bodies) b.VX = b.VY = 0;
  if (phase(bodies)) std::fprintf(stderr, "fault in a phase\n");
  Pulls p;
  for (const Body& b : bodies) p.x.push_back(b.VX), p.y.push_back(b.VY);
  return p;
}

struct Error {
  double rms, p99;
};

Error RelativeError(const Pulls& got, const Pulls& exact) {
  std::vector<double> e;
  double sum = 0;
  for (std::size_t i = 0; i < exact.x.size(); ++i) {
    const double size = std::hypot(exact.x[i], exact.y[i]);
    if (!(size > 0)) continue;
    e.push_back(std::hypot(got.x[i] - exact.x[i], got.y[i] - exact.y[i]) / size);
    sum += e.back() * e.back();
  }
  const std::size_t at = e.size() * 99 / 100;
  std::nth_element(e.begin(), e.begin() + at, e.end());
  return Error{std::sqrt(sum / e.size()), e[at]};
}

void ErrorTable(const SimState& sim) {
  const double K = StepConstant(sim);
  const Pulls exact = PullsOf(sim.Bodies, [&](std::vector<Body>& b) { return GravityPhase(b, K); });
  std::printf("| opening angle | RMS | 99th percentile |\n|---:|---:|---:|\n");
  for (int tenths = 3; tenths <= 10; ++tenths) {
    TreeParams params;
    params.openingAngle = tenths / 10.0;
    const Error e = RelativeError(
        PullsOf(sim.Bodies, [&](std::vector<Body>& b) { return TreeGravityPhase(b, K, params); }), exact);
    std::printf("| %.1f | %.2e | %.2e |\n", params.openingAngle, e.rms, e.p99);
  }
  const GravityChoice run = ChooseGravity(sim.Bodies, true);
  const Error e = RelativeError(
      PullsOf(sim.Bodies, [&](std::vector<Body>& b) { return TreeGravityPhase(b, K, run.params); }), exact);
  std::printf("| %.1f, softened (ε = %.3g AU) | %.2e | %.2e |\n", run.params.openingAngle,
              run.params.softening / kMetresPerAU, e.rms, e.p99);
}

double ProcessSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Whole steps for about `seconds` (at least three); prints steps per second
// and processor milliseconds per step.
void TimeSteps(const char* what, SimState sim, Canvas& canvas, double seconds) {
  const auto start = std::chrono::steady_clock::now();
  const double cpuStart = ProcessSeconds();
  int steps = 0;
  double wall = 0;
  while (steps < 3 || wall < seconds) {
    SimStep(sim, canvas);
    canvas.TakeDirtyAreas();
    ++steps;
    wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  std::printf("| %s | %d | %.2f | %.1f | %.1f |\n", what, steps, steps / wall, 1e3 * wall / steps,
              1e3 * (ProcessSeconds() - cpuStart) / steps);
}

void Measure(const char* title, const std::string& path, double seconds, bool errors) {
  SimState sim;
  Canvas canvas;
  Start(path, sim, canvas);
  std::printf("\n### %s: %zu bodies\n", title, sim.Bodies.size());
  if (errors) {
    std::printf("\nRelative force error, tree against the exact kernel:\n\n");
    ErrorTable(sim);
  }
  std::printf("\nWhole steps with drawing:\n\n| gravity | steps | steps/s | wall ms/step | CPU ms/step |\n"
              "|---|---:|---:|---:|---:|\n");
  SimState tree = sim;
  tree.Gravity = ChooseGravity(tree.Bodies, true);
  TimeSteps("tree", tree, canvas, seconds);
  TimeSteps("exact", sim, canvas, seconds / 2);
  TimeSteps("tree", tree, canvas, seconds);
}

std::string Written(const std::vector<BodyRecord>& records, const char* name) {
  const std::string path =
      (std::filesystem::temp_directory_path() / (std::string("tree_gravity_bench_") + name + ".zel")).string();
  StdFileSystem files;
  if (!WriteBodyFile(files, path, records)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
  return path;
}

}  // namespace
}  // namespace zelor

int main(int argc, char** argv) {
  using namespace zelor;
  double seconds = 5;
  int bodies = 32766;
  std::string file;
  bool errors = true;
  for (int a = 1; a < argc; ++a) {
    const std::string arg = argv[a];
    if (arg == "--seconds" && a + 1 < argc) seconds = std::atof(argv[++a]);
    else if (arg == "--bodies" && a + 1 < argc) bodies = std::atoi(argv[++a]);
    else if (arg == "--steps-only") errors = false;
    else file = arg;
  }
  if (!file.empty()) {
    Measure(file.c_str(), file, seconds, errors);
    return 0;
  }
  Measure("two discs with central masses", Written(TwoGalaxies(bodies), "galaxies"), seconds, errors);
  Measure("uniform random", Written(Uniform(bodies), "uniform"), seconds, errors);
}
