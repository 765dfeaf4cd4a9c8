// A saver run: window, set-up, the loop of steps and yields, the end of run.
#pragma once

#include <windows.h>

#include <cstdint>

#include "settings/settings.h"

namespace zelor::win32 {

// For measuring the loop: ends it after a while as if the user had woken the
// saver, and reports how often it stepped, showed the picture and asked for
// input.
struct SaverLoopLimits {
  double seconds = 10;  // the loop ends after this long
  std::int64_t steps = 0;
  std::int64_t presents = 0;
  std::int64_t polls = 0;
  double elapsedSeconds = 0;  // from the first step to the end of the loop
  double presentSeconds = 0;  // of that, showing the picture
  double pollSeconds = 0;     // and handling input
};

// Returns the exit code; the caller ends the process. Without limits the loop
// runs until the user wakes the saver.
int RunSaver(HINSTANCE instance, Settings& settings, SaverLoopLimits* limits = nullptr);

}  // namespace zelor::win32
