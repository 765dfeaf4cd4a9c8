// Units shared by set-up, step and end of a run. The simulation works in
// metres, seconds and Earth masses; the screen and the settings in AU and days.
#pragma once

namespace zelor {

constexpr double kGravitationalConstant = 6.67e-11;  // m³/(kg·s²)
constexpr double kKgPerEarthMass = 5.977e24;
constexpr double kSecondsPerDay = 86400;
constexpr double kMetresPerAU = 1.5e11;

// G times one Earth mass, m³/s², held as one value so that the step multiplies
// by a single constant. The literal is exactly the double product of the two
// above; the assertion keeps them from drifting apart.
constexpr double kEarthGravParameter = 3.986659e14;
static_assert(kGravitationalConstant * kKgPerEarthMass == kEarthGravParameter,
              "kEarthGravParameter must be G times the Earth mass");

// A body's velocity is held as its displacement per step (metres per step),
// so speeds in m/s are multiplied by this on the way in and divided by it on
// the way out. Always computed as days times seconds per day, so that set-up,
// step and end of a run use the very same double.
constexpr double SecondsPerStep(double intervalDays) { return intervalDays * kSecondsPerDay; }

}  // namespace zelor
