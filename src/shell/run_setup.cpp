#include "shell/run_setup.h"

#include "sim/sim.h"

namespace zelor {

void StartRun(SimState& state, const Settings& settings, FileSystem& files, Canvas& canvas,
              const std::vector<unsigned char>& carriedCopy) {
  EnsureDefaultBodyFile(settings, files, carriedCopy);
  SimInit(state, settings, files, canvas);
}

void FinishRun(SimState& state, Settings& settings, FileSystem& files) { SimEnd(state, settings, files); }

}  // namespace zelor
