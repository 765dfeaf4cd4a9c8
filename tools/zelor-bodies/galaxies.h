// Two disc galaxies before a close passage, in the manner of Toomre & Toomre
// (1972): what "zelor-bodies new Galaxien" writes. docs/samples.md tells the
// physics and where every number comes from.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/body_file.h"

namespace zelor::bodies {

constexpr int kGalaxyBodiesDefault = 32766;  // as many as a body file may hold
constexpr int kGalaxyBodiesLeast = 4;        // each galaxy its centre and one star

struct GalaxyPair {
  std::vector<BodyRecord> records;  // centre A, its stars, centre B, its stars
  // The settings the passage is made for: it comes after about 3,000 steps of
  // this interval and fills this sky (AU) within three minutes at tempo 60.
  double intervalDays = 0;
  double skyWidth = 0, skyHeight = 0;
};

// `count` bodies, from kGalaxyBodiesLeast to kGalaxyBodiesDefault. The same
// seed gives the same bytes on every machine with the same mathematics
// library.
GalaxyPair CollidingGalaxies(int count, std::uint64_t seed);

}  // namespace zelor::bodies
