#include "shell/saver_run.h"

#include <algorithm>
#include <limits>

#include "common/zelor_error.h"
#include "shell/frame_pacer.h"
#include "shell/run_setup.h"
#include "shell/tempo_pacer.h"
#include "sim/sim.h"

namespace zelor {
namespace {

// When a limited loop ends, on the backend's clock. A limit longer than anyone
// measures (about 30 years), or none, is no limit: the sum below could not
// overflow, and a cast of a larger double to an integer would be undefined.
std::int64_t StopTime(std::int64_t start, const SaverLoopLimits* limits) {
  constexpr double kLongestLimitUs = 1e15;
  const double limitUs = limits ? limits->seconds * 1e6 : kLongestLimitUs;
  if (!(limitUs < kLongestLimitUs)) return std::numeric_limits<std::int64_t>::max();
  return start + static_cast<std::int64_t>(std::max(limitUs, 0.0));
}

}  // namespace

int RunSaver(SaverBackend& backend, SaverSession& session, Settings& settings, FileSystem& files,
             const std::vector<unsigned char>& carriedBodyFile, double refreshHz, SaverLoopLimits* limits) {
  SimState state;
  double tempo = 0;
  try {
    tempo = ReadTempo(settings);
    StartRun(state, settings, files, backend.Picture(), carriedBodyFile);
  } catch (const ZelorError& error) {
    backend.ShowError(error.what());
    return 1;
  }

  const NumberLocale locale = settings.Locale();
  const bool paced = tempo > 0;
  FramePacer pacer(refreshHz);
  TempoPacer tempoPacer(paced ? tempo : 1, refreshHz);
  const std::int64_t start = backend.NowMicroseconds();
  const std::int64_t stop = StopTime(start, limits);
  std::int64_t steps = 0, presents = 0, polls = 0, waits = 0, presentUs = 0, pollUs = 0, now = start;
  bool shown = true;  // the picture on the screen shows every step made
  const auto present = [&] {
    backend.Present(TimeLabel(state, locale));
    ++presents;
    shown = true;
    const std::int64_t before = now;
    now = backend.NowMicroseconds();
    presentUs += now - before;
  };
  try {
    while (session.Running() && now < stop) {
      // Without a tempo every turn makes one step; with one, the steps the
      // clock says are due, and then the loop sleeps.
      const std::int64_t batchStart = now;
      for (std::int64_t due = paced ? tempoPacer.StepsDue(now) : 1; due > 0 && session.Running() && now < stop;
           --due) {
        SimStep(state, backend.Picture());
        ++steps;
        shown = false;
        now = backend.NowMicroseconds();
        // A paced run shows its steps when they are all made, unless making
        // them takes longer than a frame.
        if ((!paced || now - batchStart > pacer.FrameUs()) && pacer.PresentDue(now)) present();
        if (pacer.PollDue(now)) {
          backend.PollInput();
          ++polls;
          const std::int64_t before = now;
          now = backend.NowMicroseconds();
          pollUs += now - before;
        }
      }
      if (!paced) continue;
      if (!shown && pacer.PresentDue(now)) present();
      // Until the next step is due, and no sooner than the next frame.
      backend.WaitForInput(std::min(std::max(tempoPacer.NextStepUs(), pacer.NextPresentUs()), stop));
      ++waits;
      now = backend.NowMicroseconds();
    }
  } catch (const ZelorError& error) {
    // The state is broken: nothing of it is stored.
    backend.ShowError(error.what());
    return 1;
  }
  if (limits)
    *limits = {limits->seconds, steps, presents, polls, waits, (now - start) / 1e6, presentUs / 1e6, pollUs / 1e6};
  backend.Present(TimeLabel(state, locale));
  FinishRun(state, settings, files);
  return 0;
}

}  // namespace zelor
