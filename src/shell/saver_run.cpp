#include "shell/saver_run.h"

#include <limits>

#include "common/zelor_error.h"
#include "shell/frame_pacer.h"
#include "shell/run_setup.h"
#include "sim/sim.h"

namespace zelor {

int RunSaver(SaverBackend& backend, SaverSession& session, Settings& settings, FileSystem& files,
             const std::vector<unsigned char>& carriedBodyFile, double refreshHz, SaverLoopLimits* limits) {
  SimState state;
  try {
    StartRun(state, settings, files, backend.Picture(), carriedBodyFile);
  } catch (const ZelorError& error) {
    backend.ShowError(error.what());
    return 1;
  }

  const NumberLocale locale = settings.Locale();
  FramePacer pacer(refreshHz);
  const std::int64_t start = backend.NowMicroseconds();
  const std::int64_t stop = limits ? start + static_cast<std::int64_t>(limits->seconds * 1e6)
                                   : std::numeric_limits<std::int64_t>::max();
  std::int64_t steps = 0, presents = 0, polls = 0, presentUs = 0, pollUs = 0, now = start;
  try {
    while (session.Running() && now < stop) {
      SimStep(state, backend.Picture());
      ++steps;
      now = backend.NowMicroseconds();
      if (pacer.PresentDue(now)) {
        backend.Present(TimeLabel(state, locale));
        ++presents;
        const std::int64_t before = now;
        now = backend.NowMicroseconds();
        presentUs += now - before;
      }
      if (pacer.PollDue(now)) {
        backend.PollInput();
        ++polls;
        const std::int64_t before = now;
        now = backend.NowMicroseconds();
        pollUs += now - before;
      }
    }
  } catch (const ZelorError& error) {
    // The state is broken: nothing of it is stored.
    backend.ShowError(error.what());
    return 1;
  }
  if (limits) *limits = {limits->seconds, steps, presents, polls, (now - start) / 1e6, presentUs / 1e6, pollUs / 1e6};
  backend.Present(TimeLabel(state, locale));
  FinishRun(state, settings, files);
  return 0;
}

}  // namespace zelor
