// A saver run: set-up, the loop of steps, pictures and input, and the end of
// the run.
#pragma once

#include <cstdint>
#include <vector>

#include "common/file_system.h"
#include "settings/settings.h"
#include "shell/saver_backend.h"
#include "shell/saver_session.h"

namespace zelor {

// Watches the loop, for measuring it; a normal run has none. Times are the
// backend's clock, in microseconds.
class SaverLoopObserver {
 public:
  virtual ~SaverLoopObserver() = default;
  // Asked once as the loop starts: when it should stop as if the user had
  // woken the saver (the largest value: never). A time rather than a yes or
  // no, so that a sleep of the loop ends then too.
  virtual std::int64_t StopAtUs(std::int64_t startUs) = 0;
  virtual void Stepped() = 0;
  virtual void Presented(std::int64_t tookUs) = 0;  // the picture shown
  virtual void Polled(std::int64_t tookUs) = 0;     // input handled
  virtual void Waited() = 0;                         // a sleep of a run with a tempo
  virtual void Ended(std::int64_t nowUs) = 0;        // the loop ended without a fault
};

// Steps back to back, or with a "Tempo" as many steps as the clock says are
// due, sleeping between frames; shows the picture at the display's pace and
// looks for input at most once a millisecond, until the session ends (or the
// observer stops it). A set-up that fails, or a step that faults, is shown and ends the run
// without storing anything. Returns the exit code: 0 after a normal end.
int RunSaver(SaverBackend& backend, SaverSession& session, Settings& settings, FileSystem& files,
             const std::vector<unsigned char>& carriedBodyFile, double refreshHz, SaverLoopObserver* observer = nullptr);

}  // namespace zelor
