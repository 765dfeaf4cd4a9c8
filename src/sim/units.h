// Units shared by set-up, step and end of a run.
#pragma once

namespace zelor {

constexpr double kSecondsPerDay = 86400;
constexpr double kMetresPerAU = 1.5e11;

}  // namespace zelor
