#include "shell/saver_run.h"

#include <algorithm>
#include <cstddef>

#include "common/zelor_error.h"
#include "shell/frame_pacer.h"
#include "shell/run_setup.h"
#include "shell/tempo_pacer.h"
#include "sim/sim.h"

namespace zelor {
namespace {

// A long step goes in pieces of about this many pairs of bodies on all
// cores, with a look at the input between them: a 64th of an exact step of
// 32,766 bodies, some 10 ms on two cores of today's machines and under 50 ms
// on one slow core. Large enough that handing out the blocks and looking at
// the input cost nothing beside it; an exact step of up to 4,096 bodies, and
// a tree's gravity phase of 32,766, is one piece.
constexpr std::size_t kPairsPerPiece = std::size_t{1} << 24;

}  // namespace

int RunSaver(SaverBackend& backend, SaverSession& session, Settings& settings, FileSystem& files,
             const std::vector<unsigned char>& carriedBodyFile, double refreshHz, SaverLoopObserver* observer) {
  SimState state;
  double tempo = 0;
  try {
    tempo = ReadTempo(settings);
    StartRun(state, settings, files, backend.Picture(), carriedBodyFile);
  } catch (const ZelorError& error) {
    backend.ShowError(error.what());
    return 1;
  }

  SaverLoopObserver unwatched;
  SaverLoopObserver& watch = observer ? *observer : unwatched;
  const NumberLocale locale = settings.Locale();
  const bool paced = tempo > 0;
  FramePacer pacer(refreshHz);
  TempoPacer tempoPacer(paced ? tempo : 1, refreshHz);
  StepInPieces step(kPairsPerPiece, 0);
  const std::int64_t start = backend.NowMicroseconds();
  const std::int64_t stop = watch.StopAtUs(start);
  std::int64_t now = start;
  bool shown = true;  // the picture on the screen shows every step made
  const auto present = [&] {
    backend.Present(TimeLabel(state, locale));
    shown = true;
    const std::int64_t before = now;
    now = backend.NowMicroseconds();
    watch.Presented(now - before);
  };
  // Between two pieces of a step: on until the input is due.
  const auto beforeNextLook = [&] {
    now = backend.NowMicroseconds();
    return now < pacer.NextPollUs() && now < stop;
  };
  try {
    while (session.Running() && now < stop) {
      // Without a tempo every turn makes one step; with one, the steps the
      // clock says are due, and then the loop sleeps.
      const std::int64_t batchStart = now;
      for (std::int64_t due = paced ? tempoPacer.StepsDue(now) : 1; due > 0 && session.Running() && now < stop;) {
        const bool whole = step.Continue(state, backend.Picture(), beforeNextLook);
        now = backend.NowMicroseconds();
        if (whole) {
          --due;
          watch.Stepped();
          shown = false;
          // A paced run shows its steps when they are all made, unless
          // making them takes longer than a frame.
          if ((!paced || now - batchStart > pacer.FrameUs()) && pacer.PresentDue(now)) present();
        }
        if (pacer.PollDue(now)) {
          backend.PollInput();
          const std::int64_t before = now;
          now = backend.NowMicroseconds();
          watch.Polled(now - before);
        }
      }
      if (!paced) continue;
      if (!shown && pacer.PresentDue(now)) present();
      // Until the next step is due, and no sooner than the next frame.
      backend.WaitForInput(std::min(std::max(tempoPacer.NextStepUs(), pacer.NextPresentUs()), stop));
      watch.Waited();
      now = backend.NowMicroseconds();
    }
  } catch (const ZelorError& error) {
    // The state is broken: nothing of it is stored.
    backend.ShowError(error.what());
    return 1;
  }
  step.Drop(backend.Picture());
  watch.Ended(now);
  backend.Present(TimeLabel(state, locale));
  if (backend.StoresTheRunsEnd()) FinishRun(state, settings, files);
  return 0;
}

}  // namespace zelor
