// The monitors of an X screen, in root-window pixels.
#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "shell/monitors.h"

namespace zelor::x11 {

// RandR's monitors, the one it marks primary marked so; where RandR has none,
// Xinerama's screens. The first one is primary when none is marked. Empty
// when the server knows neither: the root is then one monitor.
std::vector<MonitorArea> ListMonitors(Display* display);

}  // namespace zelor::x11
