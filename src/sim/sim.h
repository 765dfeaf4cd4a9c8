// The three stages of a saver run.
#pragma once

#include <string>
#include <vector>

#include "common/file_system.h"
#include "settings/settings.h"
#include "sim/canvas.h"
#include "sim/sim_state.h"

namespace zelor {

// Reads "Breite", "Höhe", "Intervall" and "Datei", loads the body file, turns
// speeds into displacements per step, removes the drift of the centre of mass
// and sets the canvas's user coordinates. Throws ZelorError with a German
// message naming the cause (and the file) when no valid state can be made.
void SimInit(SimState& state, const Settings& settings, FileSystem& files, Canvas& canvas);

// One step: gravity, drawing and motion, each body's reach, count. Throws ZelorError
// on an arithmetic fault.
void SimStep(SimState& state, Canvas& canvas);

// The simulated time in days, as the label shows it.
std::string TimeLabel(const SimState& state, NumberLocale locale);

// Tells the bodies that stay from those that escape, writes the results file
// when "speichern" is on, and stores the next run's sky: fitted to the bodies
// that stay, so an escaping body never widens it. Never throws: each action
// that fails is skipped.
void SimEnd(SimState& state, Settings& settings, FileSystem& files);

// Before a run: when "Datei" is the default body file and that file does not
// exist, writes the copy the program carries there. Failures are ignored; the
// run then reports the missing file.
void EnsureDefaultBodyFile(const Settings& settings, FileSystem& files,
                           const std::vector<unsigned char>& carriedCopy);

}  // namespace zelor
