// Why each number is what it is: docs/samples.md, "Galaxien".
#include "galaxies.h"

#include <cmath>
#include <random>
#include <string>

#include "sim/units.h"

namespace zelor::bodies {
namespace {

constexpr double kPi = 3.141592653589793;

// One galaxy: a heavy centre (black hole and bulge in one body) and a light
// disc of stars, Σ ∝ 1/r between the inner and the outer radius.
struct GalaxyPlan {
  const char* centreName;
  const char* starName;  // followed by the star's number
  double centreEarthMasses, discEarthMasses;
  std::int32_t centreColor, innerColor, outerColor;  // 0x00BBGGRR
};

constexpr std::int32_t Rgb(int red, int green, int blue) { return (blue << 16) | (green << 8) | red; }

const GalaxyPlan kGalaxies[2] = {
    {"Kern A", "Stern A ", 1e6, 100, Rgb(0xFF, 0xF6, 0xE0), Rgb(0xFF, 0xE4, 0x9C), Rgb(0x48, 0x78, 0xFF)},
    {"Kern B", "Stern B ", 1e6, 100, Rgb(0xFF, 0xEC, 0xF0), Rgb(0xFF, 0xC0, 0x98), Rgb(0xA8, 0x58, 0xFF)},
};

constexpr double kInnerRadius = 0.25 * kMetresPerAU;
constexpr double kOuterRadius = 1.5 * kMetresPerAU;
// The stars' random motions as fractions of the circular speed: radial, and
// along the orbit half as much, as epicycles about a point mass have them.
constexpr double kRadialDispersion = 0.04;
constexpr double kTangentialDispersion = 0.5 * kRadialDispersion;

// The passage: parabolic, prograde for both discs, the centres 3 AU apart at
// the closest (the discs reach half of that), starting 100° before the
// pericentre. The orbit is turned by 60°, so that the galaxies start in the
// sky and, three minutes on at tempo 60, lie left and right of its middle.
constexpr double kPericentre = 3.0 * kMetresPerAU;
constexpr double kEccentricity = 1.0;
constexpr double kStartAnomaly = -100 * kPi / 180;
constexpr double kTurn = 60 * kPi / 180;

constexpr double kIntervalDays = 0.08;
constexpr double kSkyWidth = 16, kSkyHeight = 9;

// A state in the orbit's plane, y up, metres and m/s.
struct Phase {
  double x = 0, y = 0, vx = 0, vy = 0;
};

Phase Plus(const Phase& a, const Phase& b) { return {a.x + b.x, a.y + b.y, a.vx + b.vx, a.vy + b.vy}; }
Phase Scaled(const Phase& a, double f) { return {a.x * f, a.y * f, a.vx * f, a.vy * f}; }

// Turned counter-clockwise by `angle` (radians).
Phase Turned(const Phase& a, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return {c * a.x - s * a.y, s * a.x + c * a.y, c * a.vx - s * a.vy, s * a.vx + c * a.vy};
}

// Radius and velocity along and across it, at the angle, as a state.
Phase Polar(double radius, double angle, double radial, double tangential) {
  return Turned({radius, 0, radial, tangential}, angle);
}

// B relative to A on a conic about the pericentre on +x, counter-clockwise,
// at true anomaly f: r = p / (1 + e cos f) with p = q (1 + e), and the speed
// along and across the radius √(μ/p) · (e sin f, 1 + e cos f).
Phase Conic(double mu, double pericentre, double eccentricity, double f) {
  const double semiLatus = pericentre * (1 + eccentricity);
  const double scale = std::sqrt(mu / semiLatus);
  const double across = 1 + eccentricity * std::cos(f);
  return Polar(semiLatus / across, f, scale * eccentricity * std::sin(f), scale * across);
}

// The screen's y grows downward: y is turned over, so that what turns
// counter-clockwise here turns so on the screen.
BodyRecord Record(const std::string& name, double earthMasses, const Phase& p, std::int32_t color) {
  BodyRecord record;
  record.Name = name;
  record.Mass = earthMasses;
  record.X = p.x;
  record.Y = -p.y;
  record.Speed = std::hypot(p.vx, p.vy);
  record.Direction = record.Speed > 0 ? std::atan2(-p.vy, p.vx) * (180 / kPi) : 0.0;
  record.Color = color;
  return record;
}

std::int32_t Mixed(std::int32_t from, std::int32_t to, double share) {
  std::int32_t color = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
    color |= static_cast<std::int32_t>(std::lround(a + (b - a) * share)) << shift;
  }
  return color;
}

class Random {
 public:
  explicit Random(std::uint64_t seed) : bits_(seed) {}
  // Uniform in [0, 1); mt19937_64's sequence is fixed by the standard.
  double Uniform() { return static_cast<double>(bits_() >> 11) * 0x1.0p-53; }
  // Standard normal, by Box and Muller (the library's normal distribution is
  // not the same on every library).
  double Normal() { return std::sqrt(-2 * std::log(1 - Uniform())) * std::cos(2 * kPi * Uniform()); }

 private:
  std::mt19937_64 bits_;
};

// The centre at `centre` and `stars` stars about it, turning counter-clockwise
// on near-circular orbits: each at the circular speed of the mass within its
// radius, with the disc's random motions added.
void AddGalaxy(const GalaxyPlan& plan, int stars, const Phase& centre, Random& random,
               std::vector<BodyRecord>& records) {
  records.push_back(Record(plan.centreName, plan.centreEarthMasses, centre, plan.centreColor));
  for (int k = 1; k <= stars; ++k) {
    const double share = random.Uniform();  // of the disc's width and so of its mass
    const double radius = kInnerRadius + share * (kOuterRadius - kInnerRadius);
    const double enclosed = plan.centreEarthMasses + share * plan.discEarthMasses;
    const double circular = std::sqrt(kEarthGravParameter * enclosed / radius);
    const double radial = kRadialDispersion * circular * random.Normal();
    const double along = circular * (1 + kTangentialDispersion * random.Normal());
    const Phase star = Polar(radius, 2 * kPi * random.Uniform(), radial, along);
    records.push_back(Record(plan.starName + std::to_string(k), plan.discEarthMasses / stars, Plus(centre, star),
                             Mixed(plan.innerColor, plan.outerColor, std::sqrt(share))));
  }
}

double GalaxyMass(const GalaxyPlan& plan) { return plan.centreEarthMasses + plan.discEarthMasses; }

}  // namespace

GalaxyPair CollidingGalaxies(int count, std::uint64_t seed) {
  const double massA = GalaxyMass(kGalaxies[0]), massB = GalaxyMass(kGalaxies[1]);
  const double mu = kEarthGravParameter * (massA + massB);
  const Phase relative = Turned(Conic(mu, kPericentre, kEccentricity, kStartAnomaly), kTurn);
  const Phase centreA = Scaled(relative, -massB / (massA + massB));
  const Phase centreB = Scaled(relative, massA / (massA + massB));
  const int stars = count - 2;
  Random random(seed);
  GalaxyPair pair;
  AddGalaxy(kGalaxies[0], stars - stars / 2, centreA, random, pair.records);
  AddGalaxy(kGalaxies[1], stars / 2, centreB, random, pair.records);
  pair.intervalDays = kIntervalDays;
  pair.skyWidth = kSkyWidth;
  pair.skyHeight = kSkyHeight;
  return pair;
}

}  // namespace zelor::bodies
