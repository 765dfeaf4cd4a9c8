// Where every number comes from is told in docs/samples.md.
#include "samples.h"

#include <cmath>
#include <random>

#include "sim/units.h"

namespace zelor::bodies {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRadiansPerDegree = kPi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / kPi;
constexpr double kMetresPerAstronomicalUnit = 1.495978707e11;  // for real distances (IAU 2012)
constexpr double kSunKg = 1988500e24;

constexpr std::int32_t Rgb(int red, int green, int blue) { return (blue << 16) | (green << 8) | red; }

// A state in screen coordinates (y down), SI units.
struct Motion {
  double x = 0, y = 0, vx = 0, vy = 0;
};

BodyRecord Record(const std::string& name, double massKg, const Motion& m, std::int32_t color) {
  BodyRecord record;
  record.Name = name;
  record.Mass = massKg / kKgPerEarthMass;
  record.X = m.x;
  record.Y = m.y;
  record.Speed = std::hypot(m.vx, m.vy);
  record.Direction = record.Speed > 0 ? std::atan2(m.vy, m.vx) * kDegreesPerRadian : 0.0;
  record.Color = color;
  return record;
}

// A body at the longitude (counter-clockwise as seen from the north) going
// round counter-clockwise: y is turned over for the screen.
Motion OnCircle(double radius, double longitudeDeg, double speed) {
  const double a = longitudeDeg * kRadiansPerDegree;
  const double x = radius * std::cos(a), y = radius * std::sin(a);
  const double vx = -speed * std::sin(a), vy = speed * std::cos(a);
  return {x, -y, vx, -vy};
}

double CircularSpeed(double centralKg, double radius) { return std::sqrt(kGravitationalConstant * centralKg / radius); }

struct Planet {
  const char* name;
  double mass1e24Kg, distance1e6Km, speedKmS, longitudeDeg;
  std::int32_t color;
};

const Planet kPlanets[] = {
    {"Merkur", 0.330, 57.9, 47.4, 252.25032350, Rgb(0xB0, 0xA8, 0xA0)},
    {"Venus", 4.87, 108.2, 35.0, 181.97909950, Rgb(0xF0, 0xDC, 0x8C)},
    {"Erde", 5.97, 149.6, 29.8, 100.46457166, Rgb(0x3C, 0x8C, 0xFF)},
    {"Mars", 0.642, 228.0, 24.1, -4.55343205, Rgb(0xE8, 0x50, 0x30)},
    {"Jupiter", 1898, 778.5, 13.1, 34.39644051, Rgb(0xD8, 0xA8, 0x70)},
    {"Saturn", 568, 1432.0, 9.7, 49.95424423, Rgb(0xE8, 0xD0, 0x60)},
    {"Uranus", 86.8, 2867.0, 6.8, 313.23810451, Rgb(0x90, 0xE0, 0xE0)},
    {"Neptun", 102, 4515.0, 5.4, -55.12002969, Rgb(0x40, 0x60, 0xFF)},
};

BodyRecord Sun() { return Record("Sonne", kSunKg, {}, Rgb(0xFF, 0xDC, 0x30)); }

Motion PlanetMotion(const Planet& p) { return OnCircle(p.distance1e6Km * 1e9, p.longitudeDeg, p.speedKmS * 1e3); }

BodyRecord PlanetRecord(const Planet& p) { return Record(p.name, p.mass1e24Kg * 1e24, PlanetMotion(p), p.color); }

BodyRecord MoonOf(const Motion& earth) {
  const Motion m = OnCircle(0.3844e9, 218.3164477, 1022.0);
  return Record("Mond", 0.07346e24, {earth.x + m.x, earth.y + m.y, earth.vx + m.vx, earth.vy + m.vy},
                Rgb(0xC8, 0xC8, 0xC8));
}

// Just inside the Earth's orbit at 44 km/s, above the escape speed there,
// pointed 40° inward from the Earth's motion: it swings round the Sun across
// the default sky and then leaves for good.
BodyRecord Voyager(const Motion& earth) {
  const double r = std::hypot(earth.x, earth.y);
  const double ux = earth.x / r, uy = earth.y / r;  // outward
  const double tx = earth.vx / std::hypot(earth.vx, earth.vy), ty = earth.vy / std::hypot(earth.vx, earth.vy);
  const double out = -40 * kRadiansPerDegree;
  const double speed = 44e3;
  const double vx = speed * (std::cos(out) * tx + std::sin(out) * ux);
  const double vy = speed * (std::cos(out) * ty + std::sin(out) * uy);
  const double start = r - 0.02 * kMetresPerAstronomicalUnit;
  return Record("Voyager", 825.5, {ux * start, uy * start, vx, vy}, kWhite);
}

std::vector<BodyRecord> VoyagerSystem() {
  std::vector<BodyRecord> records{Sun()};
  for (const Planet& p : kPlanets) records.push_back(PlanetRecord(p));
  records.push_back(Voyager(PlanetMotion(kPlanets[2])));
  return records;
}

std::vector<BodyRecord> InnerPlanets() {
  std::vector<BodyRecord> records{Sun()};
  for (int k = 0; k < 4; ++k) {
    records.push_back(PlanetRecord(kPlanets[k]));
    if (k == 2) records.push_back(MoonOf(PlanetMotion(kPlanets[k])));
  }
  return records;
}

// Two red dwarfs 1 AU apart about their centre of mass, each with a planet
// close in; speeds from Newton's law with the program's own constant.
std::vector<BodyRecord> BinaryStar() {
  const double ma = 0.6 * kSunKg, mb = 0.4 * kSunKg;
  const double separation = 1.0 * 1.5e11;
  const double total = ma + mb;
  const double vRel = CircularSpeed(total, separation);
  const double ax = -separation * mb / total, bx = separation * ma / total;
  const double avy = vRel * mb / total, bvy = -vRel * ma / total;
  std::vector<BodyRecord> records{Record("Stern A", ma, {ax, 0, 0, avy}, Rgb(0xFF, 0xC8, 0x64)),
                                  Record("Stern B", mb, {bx, 0, 0, bvy}, Rgb(0xFF, 0x64, 0x46))};
  const struct {
    const char* name;
    double earthMasses, starKg, sx, svy, radiusAU, longitude;
    std::int32_t color;
  } planets[] = {{"Planet Aa", 10, ma, ax, avy, 0.15, 0, Rgb(0x64, 0xC8, 0xFF)},
                 {"Planet Ba", 5, mb, bx, bvy, 0.12, 180, Rgb(0x8C, 0xFF, 0x8C)}};
  for (const auto& p : planets) {
    const double radius = p.radiusAU * 1.5e11;
    const Motion m = OnCircle(radius, p.longitude, CircularSpeed(p.starKg, radius));
    records.push_back(Record(p.name, p.earthMasses * kKgPerEarthMass, {p.sx + m.x, m.y, m.vx, p.svy + m.vy}, p.color));
  }
  return records;
}

// Chenciner and Montgomery's eight with Simó's initial values (G = 1, masses
// 1), scaled to three stars of 0.2 solar masses and a length of 0.9 AU.
std::vector<BodyRecord> FigureEight() {
  const double mass = 0.2 * kSunKg;
  const double length = 0.9 * 1.5e11;
  const double velocity = std::sqrt(kGravitationalConstant * mass / length);
  const double x1 = 0.97000436, y1 = -0.24308753;
  const double vx3 = -0.93240737, vy3 = -0.86473146;
  const struct {
    const char* name;
    double x, y, vx, vy;
    std::int32_t color;
  } stars[] = {{"Stern A", x1, y1, -vx3 / 2, -vy3 / 2, Rgb(0xFF, 0x64, 0x64)},
               {"Stern B", -x1, -y1, -vx3 / 2, -vy3 / 2, Rgb(0x64, 0xFF, 0x64)},
               {"Stern C", 0.0, 0.0, vx3, vy3, Rgb(0x64, 0x96, 0xFF)}};
  std::vector<BodyRecord> records;
  for (const auto& s : stars)
    records.push_back(
        Record(s.name, mass, {s.x * length, -s.y * length, s.vx * velocity, -s.vy * velocity}, s.color));
  return records;
}

// A colour of full brightness and three quarters saturation, its hue the angle.
std::int32_t RainbowColor(double angle) {
  const double hue = std::fmod(angle / (2 * kPi), 1.0) * 6;
  const int sector = static_cast<int>(hue) % 6;
  const double f = hue - std::floor(hue);
  const double v = 1.0, s = 0.75;
  const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
  const double rgb[6][3] = {{v, t, p}, {q, v, p}, {p, v, t}, {p, q, v}, {t, p, v}, {v, p, q}};
  return Rgb(static_cast<int>(rgb[sector][0] * 255), static_cast<int>(rgb[sector][1] * 255),
             static_cast<int>(rgb[sector][2] * 255));
}

}  // namespace

std::vector<std::string> SampleNames() { return {"Voyager", "InnerPlanets", "BinaryStar", "FigureEight"}; }

std::optional<std::vector<BodyRecord>> SampleSystem(const std::string& name) {
  if (name == "Voyager") return VoyagerSystem();
  if (name == "InnerPlanets") return InnerPlanets();
  if (name == "BinaryStar") return BinaryStar();
  if (name == "FigureEight") return FigureEight();
  return std::nullopt;
}

std::vector<BodyRecord> RandomCluster(int count, std::uint64_t seed) {
  constexpr double kSunEarthMasses = 332946.0;
  constexpr double kStarEarthMasses = 1e-3;  // too light to disturb one another much
  constexpr double kGoldenAngle = kPi * (3 - 2.23606797749979);
  std::mt19937_64 random(seed);  // its sequence is fixed by the standard
  auto uniform = [&random] { return static_cast<double>(random() >> 11) * 0x1.0p-53; };
  std::vector<BodyRecord> records;
  BodyRecord sun;
  sun.Name = "Zentrum";
  sun.Mass = kSunEarthMasses;
  records.push_back(sun);
  for (int k = 1; k < count; ++k) {
    const double radius = (0.35 + 0.6 * uniform()) * kMetresPerAU;
    const double angle = k * kGoldenAngle + 0.3 * uniform();
    const double circular = std::sqrt(kEarthGravParameter * kSunEarthMasses / radius);
    BodyRecord star;
    star.Name = "Stern " + std::to_string(k);
    star.Mass = kStarEarthMasses;
    star.X = radius * std::cos(angle);
    star.Y = radius * std::sin(angle);
    star.Speed = circular * (1 + 0.04 * (uniform() - 0.5));
    star.Direction = std::fmod(angle * kDegreesPerRadian + 90, 360.0);  // at right angles to the radius
    star.Color = RainbowColor(angle);
    records.push_back(star);
  }
  return records;
}

}  // namespace zelor::bodies
