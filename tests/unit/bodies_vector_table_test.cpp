// State vectors from an ephemeris service's table: both unit systems, the
// turn to the screen's downward y, and the tables that cannot be used.
#include "vector_table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zelor::bodies {
namespace {

std::string Table(const std::string& units, const std::string& blocks) {
  return "*******************************************************************************\n"
         "Center body name: Sun (10)                        {source: DE441}\n"
         "Output units    : " + units + "\n"
         "Reference frame : Ecliptic of J2000.0\n"
         "            JDTDB,            Calendar Date (TDB),   X,   Y,   Z,  VX,  VY,  VZ,\n" +
         blocks;
}

// One body's table as the ephemeris service writes it with CSV output on.
std::string ServiceTable(const std::string& target, const std::string& centre, const std::string& units,
                         const std::string& frame, const std::string& row) {
  const std::string stars(79, '*'), wide(170, '*');
  return stars + "\nEphemeris / API_USER Mon Feb 27 07:56:54 2023 Pasadena, USA      / Horizons\n" + stars +
         "\nTarget body name: " + target + "{source: DE441}\nCenter body name: " + centre +
         "{source: DE441}\nCenter-site name: BODY CENTER\n" + stars +
         "\nStart time      : A.D. 2023-Feb-25 00:00:00.0000 TDB\n"
         "Stop  time      : A.D. 2023-Feb-26 00:00:00.0000 TDB\n"
         "Step-size       : 1440 minutes\n" + stars +
         "\nCenter geodetic : 0.00000000,0.00000000,0.0000000 {E-lon(deg),Lat(deg),Alt(km)}\n"
         "Output units    : " + units + "\n"
         "Calendar mode   : Mixed Julian/Gregorian\n"
         "Output type     : GEOMETRIC cartesian states\n"
         "Output format   : 2 (position and velocity)\n"
         "Reference frame : " + frame + "\n" + stars +
         "\n            JDTDB,            Calendar Date (TDB),                      X,                      Y,"
         "                      Z,                     VX,                     VY,                     VZ,\n" +
         wide + "\n$$SOE\n" + row + "\n"
         "2460001.500000000, A.D. 2023-Feb-26 00:00:00.0000,  9.9E+99,  9.9E+99,  9.9E+99,  9.9E+99,  9.9E+99,  9.9E+99,\n"
         "$$EOE\n" + wide + "\nCoordinate system description:\n\n  Ecliptic at the standard reference epoch\n\n"
         "    Reference epoch: J2000.0\n    X-Y plane: adopted Earth orbital plane at the reference epoch\n" + stars +
         "\n";
}

const std::string kSunKmS = "2460000.500000000, A.D. 2023-Feb-25 00:00:00.0000,  7.000000000000000E+05,  "
                            "0.000000000000000E+00,  0.000000000000000E+00,  0.000000000000000E+00,  "
                            "0.000000000000000E+00,  0.000000000000000E+00,";
const std::string kEarthAuD = "2460000.500000000, A.D. 2023-Feb-25 00:00:00.0000, -1.000000000000000E+00,  "
                              "0.000000000000000E+00,  1.000000000000000E-04,  0.000000000000000E+00,  "
                              "1.000000000000000E-02,  0.000000000000000E+00,";

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

TEST(VectorTableUnits, ConcatenatedTablesOfTheServiceEachUseTheirOwnUnits) {
  const std::string text = ServiceTable("Sun (10)                        ", "Solar System Barycenter (0)     ", "KM-S",
                                        "Ecliptic of J2000.0", kSunKmS) +
                           ServiceTable("Earth (399)                     ", "Solar System Barycenter (0)     ",
                                        "AU-D", "Ecliptic of J2000.0", kEarthAuD);
  const VectorTable table = ParseVectorTable(text, kTwo);
  ASSERT_EQ(table.error, "");
  ASSERT_EQ(table.records.size(), 2u);
  EXPECT_EQ(table.records[0].X, 7e8);
  EXPECT_EQ(table.records[1].X, -1.495978707e11);
  EXPECT_DOUBLE_EQ(table.records[1].Speed, 1.495978707e9 / 86400);
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
      {"no units", Table("", kSunBlock + kPlanetKmS), "Zeile 3: Einheiten \xE2\x80\x9E\xE2\x80\x9C"},
      {"unknown units", Table("MI-H", kSunBlock + kPlanetKmS), "Zeile 3: Einheiten \xE2\x80\x9EMI-H"},
      {"a block too few", Table("KM-S", kSunBlock), "die Tabelle hat 1 Block, genannt sind aber 2"},
      {"two times", Table("KM-S", kSunBlock + shifted), "Block 2 (Zeile 9): beginnt bei 2460001.5"},
      {"no number", Table("KM-S", kSunBlock + "$$SOE\n1, date, 1, zwei, 3, 4, 5, 6,\n$$EOE\n"), "Zeile 10: Y \xE2\x80\x9Ezwei"},
      {"too few columns", Table("KM-S", kSunBlock + "$$SOE\n1, date, 1, 2, 3\n$$EOE\n"), "Zeile 10: eine Zeile braucht 8"},
      {"an open block", Table("KM-S", kSunBlock + "$$SOE\n"), "Zeile 9: $$SOE ohne $$EOE"},
      {"an empty block", Table("KM-S", kSunBlock + "$$SOE\n$$EOE\n"), "Zeile 9: der Block enth"},
      {"no block", Table("KM-S", ""), "kein Block"},
      {"a distance too big in metres",
       Table("KM-S", kSunBlock + "$$SOE\n2460000.5, date, 1, 1.5E+308, 3, 4, 5, 6,\n$$EOE\n"), "Zeile 10: in Metern zu gro"},
      {"a speed too big in metres",
       Table("KM-S", kSunBlock + "$$SOE\n2460000.5, date, 1, 2, 3, 1E+306, 1E+306, 6,\n$$EOE\n"), "Zeile 10: in Metern zu gro"},
      {"no units line", "Reference frame : Ecliptic of J2000.0\n" + kSunBlock + kPlanetKmS,
       "Block 1 (Zeile 2): keine Zeile \xE2\x80\x9EOutput units"},
      {"no plane", "Output units : KM-S\n" + kSunBlock + kPlanetKmS, "Block 1 (Zeile 2): keine Zeile \xE2\x80\x9EReference frame"},
      {"the equator, as newer tables name it",
       ServiceTable("Sun (10) ", "Solar System Barycenter (0) ", "KM-S", "Ecliptic of J2000.0", kSunKmS) +
           ServiceTable("Earth (399) ", "Solar System Barycenter (0) ", "AU-D", "ICRF", kEarthAuD),
       "Block 2 (\xE2\x80\x9E" "Earth (399)\xE2\x80\x9C, Zeile 53): die Bezugsebene ist \xE2\x80\x9EICRF\xE2\x80\x9C"},
      {"the equator, as older tables name it",
       Table("KM-S", kSunBlock) + "Coordinate systm: Earth Mean Equator and Equinox of Reference Epoch\n" + kPlanetKmS,
       "Block 2 (Zeile 10): die Bezugsebene ist \xE2\x80\x9E" "Earth Mean Equator"},
      {"the equator in a newer table after an older one on the ecliptic",
       Table("KM-S", "Reference frame : ICRF/J2000.0\nCoordinate systm: Ecliptic and Mean Equinox of Reference Epoch\n" +
                         kSunBlock + "Reference frame : ICRF\n" + kPlanetKmS),
       "Block 2 (Zeile 12): die Bezugsebene ist \xE2\x80\x9EICRF\xE2\x80\x9C"},
      {"another centre",
       ServiceTable("Sun (10) ", "Solar System Barycenter (0) ", "KM-S", "Ecliptic of J2000.0", kSunKmS) +
           ServiceTable("Earth (399) ", "Sun (10) ", "AU-D", "Ecliptic of J2000.0", kEarthAuD),
       "Block 2 (\xE2\x80\x9E" "Earth (399)\xE2\x80\x9C, Zeile 53): Mittelpunkt \xE2\x80\x9ESun (10)\xE2\x80\x9C, in Block 1 "},
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
