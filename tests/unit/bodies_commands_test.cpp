// zelor-bodies' commands as a user meets them: exit statuses, and what they
// leave on the disk when they refuse.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "body_rows.h"
#include "body_table.h"
#include "commands.h"
#include "fake_file_system.h"
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
