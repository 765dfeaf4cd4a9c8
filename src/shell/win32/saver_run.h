// A saver run: window, set-up, the loop of steps and yields, the end of run.
#pragma once

#include <windows.h>

#include "settings/settings.h"

namespace zelor::win32 {

// Returns the exit code; the caller ends the process.
int RunSaver(HINSTANCE instance, Settings& settings);

}  // namespace zelor::win32
