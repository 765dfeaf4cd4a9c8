// State vectors as an ephemeris service exports them in CSV form: a header
// that states the units ("Output units : KM-S", "KM-D" or "AU-D"), and for
// each body a block of rows between the lines $$SOE and $$EOE, each row
//   JDTDB, calendar date, X, Y, Z, VX, VY, VZ[, more columns]
// Names and masses are not in the table; they come from a side list.
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
  std::string error;  // not empty: "line N: ...", and no records
};

// The first row of each block, seen from the north of the ecliptic: Z is
// dropped and Y turned over, because the screen's y grows downward; orbits
// that run counter-clockwise in the sky then do so on the screen too. Every
// block must be at the same time.
VectorTable ParseVectorTable(std::string_view text, const std::vector<NamedMass>& bodies);

}  // namespace zelor::bodies
