// A saver run's start and end as the settings and the files see them: the
// simulation itself knows neither.
#pragma once

#include <vector>

#include "common/file_system.h"
#include "settings/settings.h"
#include "sim/canvas.h"
#include "sim/sim.h"
#include "sim/sim_state.h"

namespace zelor {

// Restores the default body file from the carried copy when it is missing,
// reads the run's configuration and sets up the state and the canvas. Throws
// ZelorError with a German message naming the cause.
void StartRun(SimState& state, const Settings& settings, FileSystem& files, Canvas& canvas,
              const std::vector<unsigned char>& carriedCopy);

// "Breite", "Höhe", "Intervall", "Datei" and "rund", and every setting the
// step reads (RunUse::Step) into the values by key. Throws ZelorError with a
// German message when a number is none its row of the settings table takes.
RunConfig ReadRunConfig(const Settings& settings);

// "Tempo" in steps a second, 0 for as fast as the machine can. Throws
// ZelorError with a German message for a text that is no number or a tempo
// out of range.
double ReadTempo(const Settings& settings);

// Saves what the end of the run decides: the results file, "Datei" and the
// sky, which also become the state's. Never throws: each action that fails is
// skipped.
void FinishRun(SimState& state, Settings& settings, FileSystem& files);

// Before a run: when "Datei" is the default body file and that file does not
// exist, writes the copy the program carries there. Failures are ignored; the
// run then reports the missing file.
void EnsureDefaultBodyFile(const Settings& settings, FileSystem& files,
                           const std::vector<unsigned char>& carriedCopy);

}  // namespace zelor
