// zelor-bodies' commands as a user meets them: exit statuses, and what they
// leave on the disk when they refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "body_rows.h"
#include "body_table.h"
#include "commands.h"
#include "fake_file_system.h"
#include "galaxies.h"
#include "samples.h"

namespace zelor::bodies {
namespace {

std::vector<unsigned char> FileOf(std::vector<BodyRecord> records) {
  std::vector<BodyRow> rows;
  for (const BodyRecord& r : records) rows.push_back(RowOf(r));
  return EncodeRows(rows);
}

const BodyRecord kSun{"Sonne", 332946, 0, 0, 0, 0, kWhite};
const BodyRecord kEarth{"Erde", 1, 1.5e11, 0, 29800, 90, 0x00FF8C3C};

TEST(ShowStatus, IsZeroOnlyForAFileTheSaverRuns) {
  BodyRecord massless = kEarth, broken = kEarth;
  massless.Mass = 0;
  broken.Speed = std::numeric_limits<double>::quiet_NaN();
  std::vector<unsigned char> truncated = FileOf({kSun, kEarth});
  truncated.resize(truncated.size() + 30);
  const struct {
    const char* what;
    std::vector<unsigned char> bytes;
    int status;
  } cases[] = {
      {"a sun and a planet", FileOf({kSun, kEarth}), kDone},
      {"a trailing part record", truncated, kDone},
      {"no whole record", std::vector<unsigned char>(58), kRefused},
      {"total mass 0", FileOf({massless}), kRefused},
      {"a speed that is no number", FileOf({kSun, broken}), kRefused},
      {"32,767 bodies", FileOf(std::vector<BodyRecord>(32767, kSun)), kRefused},
  };
  for (const auto& c : cases) {
    FakeFileSystem files;
    files.files["/data/x.zel"] = c.bytes;
    EXPECT_EQ(RunCommand(files, {"show", "/data/x.zel"}), c.status) << c.what;
  }
  FakeFileSystem files;
  EXPECT_EQ(RunCommand(files, {"show", "/data/missing.zel"}), kRefused);
  EXPECT_EQ(RunCommand(files, {"show"}), kUsage);
  EXPECT_EQ(RunCommand(files, {"shows", "/data/x.zel"}), kUsage);
}

// A value that rounds to 0 shows without a sign; a real one keeps it.
TEST(ShowTable, HasNoNegativeZero) {
  const std::string table = FormatBodyTable(
      {RowOf({"Planet", -0.0, -1e-9, -0.0, -1e-12, -1e-9, kWhite}), RowOf({"Minus", -2, -1.5e11, 0, 0, -90, kWhite})});
  EXPECT_EQ(table.find("-0"), std::string::npos) << table;
  EXPECT_NE(table.find("-1,00000"), std::string::npos) << table;
  EXPECT_NE(table.find("-90,000"), std::string::npos) << table;
}

// A terminal of 80 columns shows the help without a wrapped line.
TEST(Help, EveryLineFitsEightyColumns) {
  std::string line;
  for (const char* c = Usage();; ++c) {
    if (*c == '\n' || *c == '\0') {
      int columns = 0;
      for (unsigned char byte : line) columns += (byte & 0xC0) != 0x80;  // one a character, not a byte
      EXPECT_LE(columns, 80) << line;
      line.clear();
      if (*c == '\0') break;
    } else {
      line += *c;
    }
  }
}

TEST(FromCsvRefusal, WritesNothingAndLeavesAnExistingFile) {
  FakeFileSystem files;
  const std::vector<unsigned char> old = FileOf({kSun});
  files.files["/data/out.zel"] = old;
  const std::string good = "name,mass_earth,x_m,y_m,speed_m_s,direction_deg,color\nSonne,1,0,0,0,0,#FFFFFF\n";
  files.files["/data/bad.csv"] = {good.begin(), good.end() - 1};
  files.files["/data/bad.csv"].push_back('x');  // the colour "#FFFFFFx"
  EXPECT_EQ(RunCommand(files, {"from-csv", "/data/bad.csv", "/data/out.zel"}), kRefused);
  EXPECT_EQ(files.files["/data/out.zel"], old);
  EXPECT_EQ(files.creates, 0);

  files.files["/data/good.csv"] = {good.begin(), good.end()};
  EXPECT_EQ(RunCommand(files, {"from-csv", "/data/good.csv", "/data/out.zel"}), kDone);
  EXPECT_EQ(files.files["/data/out.zel"].size(), kBodyRecordSize);
  EXPECT_EQ(files.files.size(), 3u) << "no temporary file is left";
}

TEST(NewSystems, TheSamplesAreTheShippedFilesAndTheClusterFollowsItsSeed) {
  // Bit for bit where the mathematics library is the one the files were made
  // with; anywhere else to the last few digits.
  StdFileSystem disk;
  for (const std::string& name : SampleNames()) {
    const std::string path = std::string(ZELOR_DATA_DIR) + "/" + name + ".zel";
    const auto shipped = disk.ReadFile(path, 1 << 20);
    ASSERT_TRUE(shipped) << "cannot read the shipped sample " << path << ", so nothing would be compared";
    const std::vector<BodyRecord> expected = DecodeBodyRecords(*shipped);
    const std::vector<BodyRecord> made = *SampleSystem(name);
    ASSERT_EQ(made.size(), expected.size()) << name;
    for (std::size_t k = 0; k < made.size(); ++k) {
      EXPECT_EQ(made[k].Name + std::string(15 - made[k].Name.size(), ' '), expected[k].Name);
      EXPECT_EQ(made[k].Color, expected[k].Color) << name << " " << k;
      const double pairs[][2] = {{made[k].Mass, expected[k].Mass}, {made[k].X, expected[k].X},
                                 {made[k].Y, expected[k].Y},       {made[k].Speed, expected[k].Speed},
                                 {made[k].Direction, expected[k].Direction}};
      for (const auto& p : pairs) EXPECT_NEAR(p[0], p[1], 1e-12 * std::fabs(p[1]) + 1e-9) << name << " " << k;
    }
  }
  const auto a = RandomCluster(50, 7), b = RandomCluster(50, 7), c = RandomCluster(50, 8);
  ASSERT_EQ(a.size(), 50u);
  EXPECT_EQ(FileOf(a), FileOf(b));
  EXPECT_NE(FileOf(a), FileOf(c));
}

TEST(NewGalaxies, MakesTheFullFileAndRefusesABadCountWritingNothing) {
  FakeFileSystem files;
  testing::internal::CaptureStdout();
  ASSERT_EQ(RunCommand(files, {"new", "Galaxien", "/data/g.zel"}), kDone);
  const std::string settings = testing::internal::GetCapturedStdout();
  EXPECT_EQ(files.files["/data/g.zel"].size(), 32766 * kBodyRecordSize);
  EXPECT_NE(settings.find("Berechnungsintervall (Tage): 0,08\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("(AE): 16\n"), std::string::npos) << settings;  // the sky's width
  EXPECT_NE(settings.find("(AE): 9\n"), std::string::npos) << settings;   // and height
  const struct {
    const char* option;
    const char* value;
  } refused[] = {{"--bodies", "1"}, {"--bodies", "3"}, {"--bodies", "40000"}, {"--bodies", "2,5"}, {"--seed", "-1"}};
  for (const auto& r : refused) {
    FakeFileSystem empty;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunCommand(empty, {"new", "Galaxien", "/data/g.zel", r.option, r.value}), kUsage) << r.value;
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find(std::string(r.option) + " \xE2\x80\x9E" + r.value), std::string::npos) << message;
    EXPECT_EQ(empty.creates, 0) << r.value;
  }
  const auto a = CollidingGalaxies(300, 7).records, b = CollidingGalaxies(300, 7).records;
  // Centre A and its 149 stars, then centre B and its 149, each named.
  ASSERT_EQ(a.size(), 300u);
  EXPECT_EQ(a[0].Name, "Kern A");
  EXPECT_EQ(a[1].Name, "Stern A 1");
  EXPECT_EQ(a[150].Name, "Kern B");
  EXPECT_EQ(a[299].Name, "Stern B 149");
  EXPECT_EQ(FileOf(a), FileOf(b));
  EXPECT_NE(FileOf(a), FileOf(CollidingGalaxies(300, 8).records));
}

// A star's motion about its centre: along the radius and round it
// (counter-clockwise on the screen positive), m/s.
struct Orbit {
  double radius, radial, around;
  const BodyRecord* star;
};

Orbit OrbitAbout(const BodyRecord& centre, const BodyRecord& star) {
  const double toRad = std::acos(-1.0) / 180;
  const double x = star.X - centre.X, y = star.Y - centre.Y;
  const double vx = star.Speed * std::cos(star.Direction * toRad) - centre.Speed * std::cos(centre.Direction * toRad);
  const double vy = star.Speed * std::sin(star.Direction * toRad) - centre.Speed * std::sin(centre.Direction * toRad);
  const double r = std::hypot(x, y);
  return {r, (x * vx + y * vy) / r, (y * vx - x * vy) / r, &star};  // y grows downward
}

// Checked as an astronomer would, from the bodies alone: each star belongs to
// the nearer of the two heavy centres; it goes round at the circular speed of
// the mass inside its radius, give or take the disc's dispersion (4 % along
// the radius, 2 % round it); the galaxies' centres of mass are on the
// parabola of a prograde passage 3 AU apart at the closest; the colours tell
// the galaxies apart, brightest at the core and bluer outward.
TEST(NewGalaxies, AreColdDiscsOnAParabolicProgradePassage) {
  constexpr double kGM = 3.986659e14, kAU = 1.5e11;
  const GalaxyPair pair = CollidingGalaxies(32766, 1);
  const auto& bodies = pair.records;
  std::vector<const BodyRecord*> byMass;
  for (const BodyRecord& b : bodies) byMass.push_back(&b);
  std::partial_sort(byMass.begin(), byMass.begin() + 2, byMass.end(),
                    [](const BodyRecord* p, const BodyRecord* q) { return p->Mass > q->Mass; });
  const BodyRecord* centres[2] = {byMass[0], byMass[1]};
  std::vector<Orbit> discs[2];
  for (const BodyRecord& b : bodies) {
    if (&b == centres[0] || &b == centres[1]) continue;
    const Orbit o[2] = {OrbitAbout(*centres[0], b), OrbitAbout(*centres[1], b)};
    const int g = o[0].radius < o[1].radius ? 0 : 1;
    discs[g].push_back(o[g]);
  }
  double mass[2], x[2], y[2], vx[2], vy[2];
  std::set<std::int32_t> colors[2];
  for (int g = 0; g < 2; ++g) {
    ASSERT_GT(discs[g].size(), 16000u);
    std::sort(discs[g].begin(), discs[g].end(), [](const Orbit& p, const Orbit& q) { return p.radius < q.radius; });
    double enclosed = centres[g]->Mass, sumAlong = 0, sumAlong2 = 0, sumRadial2 = 0, blue[2] = {0, 0};
    mass[g] = x[g] = y[g] = vx[g] = vy[g] = 0;
    std::vector<const BodyRecord*> members{centres[g]};
    for (std::size_t k = 0; k < discs[g].size(); ++k) {
      const Orbit& o = discs[g][k];
      const double circular = std::sqrt(kGM * enclosed / o.radius);
      enclosed += o.star->Mass;
      EXPECT_GT(o.around, 0) << o.star->Name << " goes round the other way";
      sumAlong += o.around / circular - 1;
      sumAlong2 += std::pow(o.around / circular - 1, 2);
      sumRadial2 += std::pow(o.radial / circular, 2);
      const int c = o.star->Color;
      blue[k * 2 / discs[g].size()] += ((c >> 16) & 0xFF) / (1.0 + (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF));
      colors[g].insert(c);
      members.push_back(o.star);
    }
    const double n = static_cast<double>(discs[g].size());
    EXPECT_NEAR(enclosed, 1e6 + 100, 1e-6) << "a centre of a million Earth masses and a disc of 100, galaxy " << g;
    // The rim's colour at the rim, to the step: 0x4878FF or 0xA858FF.
    const int rim = discs[g].back().star->Color;
    EXPECT_TRUE(rim == 0xFF7848 || rim == 0xFF58A8) << std::hex << rim;
    EXPECT_NEAR(sumAlong / n, 0, 0.002) << g;
    EXPECT_NEAR(std::sqrt(sumAlong2 / n), 0.02, 0.004) << g;
    EXPECT_NEAR(std::sqrt(sumRadial2 / n), 0.04, 0.006) << g;
    EXPECT_GT(blue[1], blue[0] * 1.2) << "the outer half of galaxy " << g << " is not bluer";
    const int core = centres[g]->Color;
    for (const BodyRecord* b : members) {
      const double toRad = std::acos(-1.0) / 180;
      mass[g] += b->Mass;
      x[g] += b->Mass * b->X;
      y[g] += b->Mass * b->Y;
      vx[g] += b->Mass * b->Speed * std::cos(b->Direction * toRad);
      vy[g] += b->Mass * b->Speed * std::sin(b->Direction * toRad);
      const int c = b->Color;
      EXPECT_LE((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF),
                (core & 0xFF) + ((core >> 8) & 0xFF) + ((core >> 16) & 0xFF));
    }
  }
  for (const std::int32_t c : colors[0]) EXPECT_EQ(colors[1].count(c), 0u) << "both galaxies have colour " << c;

  // The relative orbit of the two centres of mass, as the two-body problem has it.
  const double rx = x[1] / mass[1] - x[0] / mass[0], ry = y[1] / mass[1] - y[0] / mass[0];
  const double ux = vx[1] / mass[1] - vx[0] / mass[0], uy = vy[1] / mass[1] - vy[0] / mass[0];
  const double mu = kGM * (mass[0] + mass[1]), r = std::hypot(rx, ry);
  const double energy = (ux * ux + uy * uy) / 2 - mu / r, spin = rx * uy - ry * ux;
  const double eccentricity = std::sqrt(1 + 2 * energy * spin * spin / (mu * mu));
  // The discs' stars move each galaxy's centre of mass by a few millionths.
  EXPECT_NEAR(eccentricity, 1, 1e-4);
  EXPECT_NEAR(spin * spin / (mu * (1 + eccentricity)), 3 * kAU, 1e-4 * 3 * kAU) << "the pericentre";
  EXPECT_LT(spin, 0) << "the orbit must turn as the discs do, counter-clockwise on the screen";
  // The line to the pericentre turned 60° from the screen's x axis,
  // counter-clockwise on the screen (y grows downward), by the eccentricity
  // vector (which of the two galaxies is first is the sort's choice).
  const double pull = (ux * ux + uy * uy - mu / r) / mu, drift = (rx * ux + ry * uy) / mu;
  const double turn = std::atan2(pull * ry - drift * uy, pull * rx - drift * ux) * 180 / std::acos(-1.0);
  EXPECT_NEAR(std::remainder(turn + 60, 180), 0, 0.1) << turn;
  EXPECT_LT(rx * ux + ry * uy, 0) << "the galaxies must be coming closer";
  // Barker's equation: the time to the pericentre, in steps of the interval
  // the tool names.
  const double q = 3 * kAU, d = std::sqrt(r / q - 1);
  const double steps = std::sqrt(2 * q * q * q / mu) * (d + d * d * d / 3) / (pair.intervalDays * 86400);
  EXPECT_GT(steps, 2000);
  EXPECT_LT(steps, 5000);
}

}  // namespace
}  // namespace zelor::bodies

namespace zelor::bodies {
namespace {

// run keeps every body, escaping ones too, and takes --steps, --interval and
// --accuracy: a probe of mass 0 about a Sun at rest, checked against its
// circle, and one far off moving on a straight line.
TEST(RunSteps, AdvancesByExactlyTheStepsAskedAndKeepsEveryBody) {
  const double mu = 332946 * 3.986659e14, a = 1.5e11;
  const double n = std::sqrt(mu / (a * a * a));  // radians a second
  const BodyRecord circling{"Sonde", 0, a, 0, std::sqrt(mu / a), 90, kWhite};
  const BodyRecord fleeing{"Fern", 0, 1e15, 0, 1e5, 90, kWhite};
  FakeFileSystem files;
  files.files["/data/x.zel"] = FileOf({kSun, circling, fleeing});
  ASSERT_EQ(RunCommand(files, {"run", "/data/x.zel", "/data/y.zel", "--steps", "1826", "--interval", "2",
                               "--accuracy", "16"}),
            kDone);
  const std::vector<BodyRecord> out = DecodeBodyRecords(files.files["/data/y.zel"]);
  ASSERT_EQ(out.size(), 3u);
  const double t = 1826 * 2 * 86400.0;
  EXPECT_LT(std::hypot(out[1].X - a * std::cos(n * t), out[1].Y - a * std::sin(n * t)), 1e-6 * a);
  EXPECT_NEAR(out[2].Y, 1e5 * t, 1e-6 * 1e5 * t);
  EXPECT_EQ(out[2].Name, fleeing.Name + std::string(15 - 4, ' '));

  const auto written = files.files["/data/y.zel"];
  for (const char* accuracy : {"0", "1001", "2,5"})
    EXPECT_EQ(RunCommand(files, {"run", "/data/x.zel", "/data/y.zel", "--steps", "1", "--accuracy", accuracy}),
              kUsage)
        << accuracy;
  EXPECT_EQ(RunCommand(files, {"run", "/data/x.zel", "/data/y.zel"}), kUsage);
  EXPECT_EQ(files.files["/data/y.zel"], written);
}

}  // namespace
}  // namespace zelor::bodies
