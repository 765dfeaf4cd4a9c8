// State vectors as an ephemeris service exports them in CSV form: one table
// a body, often several tables one after another. Each table has a header of
// "Key : value" lines, of which these count:
//   Output units    : KM-S, KM-D or AU-D
//   Reference frame : Ecliptic of J2000.0   (older tables: "ICRF/J2000.0" and
//   Coordinate systm: Ecliptic and Mean Equinox of Reference Epoch)
//   Center body name: Sun (10)
//   Target body name: Earth (399)
// and then a block of rows between the lines $$SOE and $$EOE, each row
//   JDTDB, calendar date, X, Y, Z, VX, VY, VZ[, more columns]
// A block takes the header lines that come before it; a key it lacks keeps
// the value an earlier table gave. Names and masses are not in the table;
// they come from a side list.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/body_file.h"

namespace zelor::bodies {

struct NamedMass {
  std::string name;
  double massEarth = 0;
};

// "Sonne=332946,Erde=1": the bodies in the order of the table's blocks.
// nullopt and a message when an entry is not name=number.
std::optional<std::vector<NamedMass>> ParseNamedMasses(std::string_view list, std::string& error);

struct VectorTable {
  std::vector<BodyRecord> records;
  std::string error;  // not empty: "Zeile N: ..." or "Block N ...", and no records
};

// The first row of each block, seen from the north of the ecliptic: Z is
// dropped and Y turned over, because the screen's y grows downward; orbits
// that run counter-clockwise in the sky then do so on the screen too. Every
// block must be at the same time, in the plane of the ecliptic and around the
// same centre, each in its own units.
VectorTable ParseVectorTable(std::string_view text, const std::vector<NamedMass>& bodies);

}  // namespace zelor::bodies
