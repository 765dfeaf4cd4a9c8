// A saver run on Windows: the window as the run's backend, the body file the
// program carries, the display's refresh rate.
#pragma once

#include <windows.h>

#include "settings/settings.h"
#include "shell/saver_run.h"

namespace zelor::win32 {

// Returns the exit code; the caller ends the process. The loop runs until the
// user wakes the saver, or a measuring observer stops it.
int RunSaver(HINSTANCE instance, Settings& settings, SaverLoopObserver* observer = nullptr);

}  // namespace zelor::win32
