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

// For measuring the loop: ends it after a while as if the user had woken the
// saver, and reports how often it stepped, showed the picture and asked for
// input.
struct SaverLoopLimits {
  double seconds = 10;  // the loop ends after this long
  std::int64_t steps = 0;
  std::int64_t presents = 0;
  std::int64_t polls = 0;
  std::int64_t waits = 0;     // sleeps of a run with a tempo
  double elapsedSeconds = 0;  // from the first step to the end of the loop
  double presentSeconds = 0;  // of that, showing the picture
  double pollSeconds = 0;     // and handling input
};

// Steps back to back, or with a "Tempo" as many steps as the clock says are
// due, sleeping between frames; shows the picture at the display's pace and
// looks for input at most once a millisecond, until the session ends (or the
// limits do). A set-up that fails, or a step that faults, is shown and ends the run
// without storing anything. Returns the exit code: 0 after a normal end.
int RunSaver(SaverBackend& backend, SaverSession& session, Settings& settings, FileSystem& files,
             const std::vector<unsigned char>& carriedBodyFile, double refreshHz, SaverLoopLimits* limits = nullptr);

}  // namespace zelor
