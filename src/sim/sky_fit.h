// The sky a run starts with, fitted to its bodies: what the options dialog
// offers for a newly chosen body file, what the Linux module uses for a
// "-file" without "-sky", and the rule by which the end of a run scales the
// sky it stores.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "sim/body_file.h"
#include "sim/sim.h"

namespace zelor {

// Both sizes rounded away from 0 to three significant digits: people read the
// stored sky in the options dialog, and rounded up it still holds everything.
Sky RoundedUp(const Sky& sky);

// `shape` scaled by one factor, at least `leastFactor`, the smallest that
// holds `reach` (AU, whole widths) on both axes, then RoundedUp. The shape's
// aspect and signs stay (a negative size mirrors its axis). nullopt when no
// such sky can be shown: a reach of 0, a shape with a size of 0 or a result
// beyond the doubles.
std::optional<Sky> ScaledToHold(const Sky& shape, const Sky& reach, double leastFactor = 0);

// A sky around the origin, in `shape`'s shape, that holds the bodies where a
// run starts them: every body lies within R of the centre of mass, so the sky
// holds the circle of radius R around it, twice R across where the centre of
// mass is the origin. nullopt when the bodies have no centre of mass (a total
// mass of 0), all lie on it, or ScaledToHold finds none.
std::optional<Sky> SkyHoldingBodies(const std::vector<BodyRecord>& bodies, const Sky& shape);

// SkyHoldingBodies for the bodies of a file, as a run loads them; nullopt too
// when a run would refuse to load the file.
std::optional<Sky> SkyHoldingBodyFile(FileSystem& files, const std::string& path, const Sky& shape);

}  // namespace zelor
