// A saver run without a window: set-up and steps on the core's canvas, as
// the saver does them, for pictures of a body file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/file_system.h"
#include "sim/canvas.h"
#include "sim/sim.h"

namespace zelor::bodies {

struct RenderOptions {
  std::int64_t steps = 0;
  int width = 800, height = 600;  // pixels
  RunConfig run;                  // its bodyFile is ignored
};

// The saver's defaults for the sky and the interval.
RenderOptions DefaultRenderOptions();

struct RenderedRun {
  Canvas canvas;
  std::string label;  // the simulated days, as the saver's label shows them
  double stepSeconds = 0;
};

// Throws ZelorError with the saver's German message when it would refuse
// the file or stop the run, and std::bad_alloc for a picture too large for
// the memory. afterStep, when given, hears 0 when the steps begin and then
// the count of steps done after each one.
RenderedRun RenderRun(FileSystem& files, const std::string& bodyFile, const RenderOptions& options,
                      const std::function<void(std::int64_t)>& afterStep = {});

}  // namespace zelor::bodies
