// A saver run's start and end as the settings and the files see them: the
// simulation itself knows neither.
#pragma once

#include <vector>

#include "common/file_system.h"
#include "settings/settings.h"
#include "sim/canvas.h"
#include "sim/sim_state.h"

namespace zelor {

// Restores the default body file from the carried copy when it is missing,
// reads the run's configuration and sets up the state and the canvas. Throws
// ZelorError with a German message naming the cause.
void StartRun(SimState& state, const Settings& settings, FileSystem& files, Canvas& canvas,
              const std::vector<unsigned char>& carriedCopy);

// Saves what the end of the run decides: the results file, "Datei" and the
// sky. Never throws.
void FinishRun(SimState& state, Settings& settings, FileSystem& files);

}  // namespace zelor
