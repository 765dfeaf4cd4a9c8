#include "sim/sky_fit.h"

#include <algorithm>
#include <cmath>

#include "common/number_text.h"
#include "sim/units.h"

namespace zelor {

Sky RoundedUp(const Sky& sky) { return {RoundAwayFromZero(sky.width, 3), RoundAwayFromZero(sky.height, 3)}; }

std::optional<Sky> ScaledToHold(const Sky& shape, const Sky& reach, double leastFactor) {
  const double factor =
      std::max({reach.width / std::fabs(shape.width), reach.height / std::fabs(shape.height), leastFactor});
  const Sky scaled{shape.width * factor, shape.height * factor};
  if (!(factor > 0) || !std::isfinite(scaled.width) || !std::isfinite(scaled.height) || scaled.width == 0 ||
      scaled.height == 0)
    return std::nullopt;
  return RoundedUp(scaled);
}

std::optional<Sky> SkyHoldingBodies(const std::vector<BodyRecord>& bodies, const Sky& shape) {
  double mass = 0, massX = 0, massY = 0;
  for (const BodyRecord& body : bodies) {
    mass += body.Mass;
    massX += body.Mass * body.X;
    massY += body.Mass * body.Y;
  }
  const double centreX = massX / mass, centreY = massY / mass;  // metres
  if (!std::isfinite(centreX) || !std::isfinite(centreY)) return std::nullopt;
  double radius = 0;
  for (const BodyRecord& body : bodies) radius = std::max(radius, std::hypot(body.X - centreX, body.Y - centreY));
  if (!(radius > 0)) return std::nullopt;
  // The centre of mass stays where it is during a run; the sky is centred on
  // the origin, so it reaches past the centre of mass by its distance from it.
  const Sky reach{(std::fabs(centreX) + radius) / kMetresPerAU * 2, (std::fabs(centreY) + radius) / kMetresPerAU * 2};
  return ScaledToHold(shape, reach);
}

std::optional<Sky> SkyHoldingBodyFile(FileSystem& files, const std::string& path, const Sky& shape) {
  try {
    return SkyHoldingBodies(LoadBodyFile(files, path), shape);
  } catch (...) {
    // A file the run refuses, or one too big for the memory: the run says why.
    return std::nullopt;
  }
}

}  // namespace zelor
