// State vectors from an ephemeris service's table: both unit systems, the
// turn to the screen's downward y, and the tables that cannot be used.
#include "vector_table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zelor::bodies {
namespace {

std::string Table(const std::string& units, const std::string& blocks) {
  return "*******************************************************************************\n"
         "Target body name: as below\n"
         "Output units    : " + units + "\n"
         "            JDTDB,            Calendar Date (TDB),   X,   Y,   Z,  VX,  VY,  VZ,\n" +
         blocks;
}

const std::string kSunBlock =
    "$$SOE\n"
    "2460000.500000000, A.D. 2023-Feb-25 00:00:00.0000,  0.0E+00,  0.0E+00,  0.0E+00,  0.0E+00,  0.0E+00,  0.0E+00,\n"
    "$$EOE\n";
const std::string kPlanetKmS =
    "$$SOE\n"
    "2460000.500000000, A.D. 2023-Feb-25 00:00:00.0000,  1.0E+08,  2.0E+07,  5.0E+05,  3.0E+00, -4.0E+00,  9.0E+00,\n"
    "2460001.500000000, A.D. 2023-Feb-26 00:00:00.0000,  9.9E+99,  9.9E+99,  9.9E+99,  9.9E+99,  9.9E+99,  9.9E+99,\n"
    "$$EOE\n";
const std::vector<NamedMass> kTwo = {{"Sonne", 332946}, {"Planet", 2.5}};

TEST(VectorTableUnits, KilometresAndKilometresPerSecondBecomeMetresWithYTurnedOver) {
  const VectorTable table = ParseVectorTable(Table("KM-S", kSunBlock + kPlanetKmS), kTwo);
  ASSERT_EQ(table.error, "");
  ASSERT_EQ(table.records.size(), 2u);
  const BodyRecord& planet = table.records[1];
  EXPECT_EQ(planet.Name, "Planet");
  EXPECT_EQ(planet.Mass, 2.5);
  EXPECT_EQ(planet.X, 1e11);
  EXPECT_EQ(planet.Y, -2e10);
  EXPECT_DOUBLE_EQ(planet.Speed, 5000);  // (3, 4) km/s; Z and VZ play no part
  // (3, -4) in the sky is (3, +4) on the screen: atan2(4, 3).
  EXPECT_DOUBLE_EQ(planet.Direction, 53.13010235415598);
}

TEST(VectorTableUnits, AstronomicalUnitsPerDayUseTheRealAstronomicalUnit) {
  const std::string block =
      "$$SOE\n"
      "2460000.5, A.D. 2023-Feb-25 00:00:00.0000, -1.0, 0.0, 0.1, 0.0, 0.01, 0.0,\n"
      "$$EOE\n";
  const VectorTable table = ParseVectorTable(Table("AU-D", kSunBlock + block), kTwo);
  ASSERT_EQ(table.error, "");
  EXPECT_EQ(table.records[1].X, -1.495978707e11);
  EXPECT_DOUBLE_EQ(table.records[1].Speed, 1.495978707e9 / 86400);
  // Counter-clockwise in the sky, so upward on the screen from the left.
  EXPECT_DOUBLE_EQ(table.records[1].Direction, -90);
}

struct BadTable {
  const char* what;
  std::string text;
  std::string start;  // of the message
};

TEST(VectorTableErrors, SayWhatIsWrongAndGiveNoRecords) {
  const std::string shifted =
      "$$SOE\n2460001.5, A.D. 2023-Feb-26, 1, 2, 3, 4, 5, 6,\n$$EOE\n";
  const BadTable cases[] = {
      {"no units", Table("", kSunBlock + kPlanetKmS), "line 3: units ''"},
      {"unknown units", Table("MI-H", kSunBlock + kPlanetKmS), "line 3: units 'MI-H'"},
      {"a block too few", Table("KM-S", kSunBlock), "the table has 1 blocks, but 2 bodies"},
      {"two times", Table("KM-S", kSunBlock + shifted), "line 9: this block starts at 2460001.5"},
      {"no number", Table("KM-S", kSunBlock + "$$SOE\n1, date, 1, zwei, 3, 4, 5, 6,\n$$EOE\n"), "line 9: Y 'zwei'"},
      {"too few columns", Table("KM-S", kSunBlock + "$$SOE\n1, date, 1, 2, 3\n$$EOE\n"), "line 9: a row needs 8"},
      {"an open block", Table("KM-S", kSunBlock + "$$SOE\n"), "line 8: $$SOE without $$EOE"},
      {"an empty block", Table("KM-S", kSunBlock + "$$SOE\n$$EOE\n"), "line 8: the block holds no row"},
      {"no block", Table("KM-S", ""), "no block"},
  };
  for (const BadTable& c : cases) {
    const VectorTable table = ParseVectorTable(c.text, kTwo);
    EXPECT_EQ(table.error.substr(0, c.start.size()), c.start) << c.what << ": " << table.error;
    EXPECT_TRUE(table.records.empty()) << c.what;
  }
}

TEST(VectorTableBodies, AreNamesWithMassesInEarthMasses) {
  std::string error;
  const auto bodies = ParseNamedMasses("Sonne=332946,Erde=1,Mond=0.0123", error);
  ASSERT_TRUE(bodies);
  ASSERT_EQ(bodies->size(), 3u);
  EXPECT_EQ((*bodies)[2].name, "Mond");
  EXPECT_EQ((*bodies)[2].massEarth, 0.0123);
  for (const char* bad : {"Sonne", "=1", "Erde=eins", "Sonne=1,,Erde=1", "Erde=inf"})
    EXPECT_FALSE(ParseNamedMasses(bad, error)) << bad;
}

}  // namespace
}  // namespace zelor::bodies
