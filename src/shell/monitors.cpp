#include "shell/monitors.h"

namespace zelor {

SaverWindowPlaces PlaceSaverWindows(const std::vector<MonitorArea>& monitors, ScreenRect fallback) {
  SaverWindowPlaces places{fallback, {}};
  for (const MonitorArea& monitor : monitors)
    if (monitor.primary) places.saver = monitor.area;
  for (const MonitorArea& monitor : monitors)
    if (!(monitor.area == places.saver)) places.black.push_back(monitor.area);
  return places;
}

}  // namespace zelor
