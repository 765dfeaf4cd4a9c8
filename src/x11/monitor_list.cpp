#include "x11/monitor_list.h"

#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

namespace zelor::x11 {
namespace {

std::vector<MonitorArea> RandrMonitors(Display* display) {
  std::vector<MonitorArea> monitors;
  int event = 0, error = 0, major = 0, minor = 0;
  // Monitors came with RandR 1.5.
  if (!XRRQueryExtension(display, &event, &error) || !XRRQueryVersion(display, &major, &minor) ||
      major * 100 + minor < 105)
    return monitors;
  int count = 0;
  XRRMonitorInfo* info = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
  for (int i = 0; info && i < count; ++i)
    monitors.push_back({{info[i].x, info[i].y, info[i].x + info[i].width, info[i].y + info[i].height},
                        info[i].primary != 0});
  if (info) XRRFreeMonitors(info);
  return monitors;
}

std::vector<MonitorArea> XineramaMonitors(Display* display) {
  std::vector<MonitorArea> monitors;
  int event = 0, error = 0, count = 0;
  if (!XineramaQueryExtension(display, &event, &error) || !XineramaIsActive(display)) return monitors;
  XineramaScreenInfo* info = XineramaQueryScreens(display, &count);
  for (int i = 0; info && i < count; ++i)
    monitors.push_back({{info[i].x_org, info[i].y_org, info[i].x_org + info[i].width, info[i].y_org + info[i].height},
                        false});
  if (info) XFree(info);
  return monitors;
}

}  // namespace

std::vector<MonitorArea> ListMonitors(Display* display) {
  std::vector<MonitorArea> monitors = RandrMonitors(display);
  if (monitors.empty()) monitors = XineramaMonitors(display);
  bool marked = false;
  for (const MonitorArea& monitor : monitors) marked = marked || monitor.primary;
  if (!marked && !monitors.empty()) monitors.front().primary = true;
  return monitors;
}

}  // namespace zelor::x11
