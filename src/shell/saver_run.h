// A saver run: set-up, the loop of steps, pictures and input, and the end of
// the run.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "common/file_system.h"
#include "settings/settings.h"
#include "shell/saver_backend.h"
#include "shell/saver_session.h"

namespace zelor {

// Watches the loop, for measuring it. A normal run has this one, which
// watches nothing, so the loop tells it everything without asking whether
// anyone measures. Times are the backend's clock, in microseconds.
class SaverLoopObserver {
 public:
  virtual ~SaverLoopObserver() = default;
  // Asked once as the loop starts: when it should stop as if the user had
  // woken the saver (the largest value: never). A time rather than a yes or
  // no, so that a sleep of the loop ends then too.
  virtual std::int64_t StopAtUs(std::int64_t) { return std::numeric_limits<std::int64_t>::max(); }
  virtual void Stepped() {}
  virtual void Presented(std::int64_t) {}  // the picture shown, taking that long
  virtual void Polled(std::int64_t) {}     // input handled
  virtual void Waited() {}                 // a sleep of a run with a tempo
  virtual void Ended(std::int64_t) {}      // the loop ended without a fault, now
};

// Steps back to back, or with a "Tempo" as many steps as the clock says are
// due, sleeping between frames; shows the picture at the display's pace and
// looks for input at most once a millisecond, also between the pieces of a
// long step, until the session ends (or the observer stops it). A step left
// unfinished then is dropped: the picture and the stored end are those of the
// last whole step. A set-up that fails, or a step that faults, is shown and
// ends the run without storing anything. Returns the exit code: 0 after a
// normal end.
int RunSaver(SaverBackend& backend, SaverSession& session, Settings& settings, FileSystem& files,
             const std::vector<unsigned char>& carriedBodyFile, double refreshHz, SaverLoopObserver* observer = nullptr);

}  // namespace zelor
