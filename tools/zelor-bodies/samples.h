// Body systems to start from: the four samples the saver ships with, and a
// random cluster for trying things out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/body_file.h"

namespace zelor::bodies {

// "Voyager", "InnerPlanets", "BinaryStar", "FigureEight".
std::vector<std::string> SampleNames();
std::optional<std::vector<BodyRecord>> SampleSystem(const std::string& name);

// A sun and count - 1 light stars on nearly circular orbits 0.35 to 0.95 AU
// (of the screen) around it, coloured by angle. The same seed gives the same
// bytes on every machine with the same mathematics library.
std::vector<BodyRecord> RandomCluster(int count, std::uint64_t seed);

}  // namespace zelor::bodies
