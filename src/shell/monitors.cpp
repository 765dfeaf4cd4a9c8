#include "shell/monitors.h"

#include <algorithm>

namespace zelor {

SaverWindowPlaces PlaceSaverWindows(const std::vector<MonitorArea>& monitors, ScreenRect fallback,
                                    bool allScreens) {
  ScreenRect primary = fallback;
  for (const MonitorArea& monitor : monitors)
    if (monitor.primary) primary = monitor.area;
  ScreenRect all = primary;
  for (const MonitorArea& monitor : monitors)
    all = {std::min(all.left, monitor.area.left), std::min(all.top, monitor.area.top),
           std::max(all.right, monitor.area.right), std::max(all.bottom, monitor.area.bottom)};
  if (allScreens && all.Width() <= kLargestPicture && all.Height() <= kLargestPicture) return {all, primary, {}};

  SaverWindowPlaces places{primary, primary, {}};
  for (const MonitorArea& monitor : monitors)
    if (!(monitor.area == primary)) places.black.push_back(monitor.area);
  return places;
}

void FitPicture(Canvas& picture, const SaverWindowPlaces& places) {
  picture.Resize(places.saver.Width(), places.saver.Height());
  picture.SetView(AreaIn(places.primary, places.saver));
}

}  // namespace zelor
