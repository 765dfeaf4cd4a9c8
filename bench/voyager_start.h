// The benchmarks' run: Voyager.zel (the Sun, the planets and a probe) on a
// 1920 x 1080 picture, 2 days a step.
#pragma once

#include "common/file_system.h"
#include "sim/canvas.h"
#include "sim/sim.h"

namespace zelor {

// The sky is given in AU; `substeps` is the setting "Genauigkeit".
inline void StartVoyager(SimState& sim, Canvas& canvas, double skyWidth, double skyHeight, int substeps = 1) {
  StdFileSystem files;
  canvas.Resize(1920, 1080);
  RunConfig config{ZELOR_DATA_DIR "/Voyager.zel", skyWidth, skyHeight, 2};
  config.values.Set(kKeyGenauigkeit, substeps);
  SimInit(sim, config, files, canvas);
}

}  // namespace zelor
