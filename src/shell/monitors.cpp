#include "shell/monitors.h"

#include <algorithm>

namespace zelor {
namespace {

bool Holds(const ScreenRect& outer, const ScreenRect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Empty, at the origin, where the two do not overlap.
ScreenRect Overlap(const ScreenRect& a, const ScreenRect& b) {
  const ScreenRect both{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                        std::min(a.bottom, b.bottom)};
  return both.Width() > 0 && both.Height() > 0 ? both : ScreenRect{};
}

// The marked monitor; without one, the monitor at the origin, where Windows
// puts the primary; the fallback, a size only, when no monitor lies there.
ScreenRect PrimaryOf(const std::vector<MonitorArea>& monitors, ScreenRect fallback) {
  const auto marked = std::find_if(monitors.begin(), monitors.end(), [](const MonitorArea& m) { return m.primary; });
  if (marked != monitors.end()) return marked->area;
  const auto atOrigin = std::find_if(monitors.begin(), monitors.end(),
                                     [](const MonitorArea& m) { return m.area.left == 0 && m.area.top == 0; });
  return atOrigin != monitors.end() ? atOrigin->area : fallback;
}

}  // namespace

SaverWindowPlaces PlaceSaverWindows(const std::vector<MonitorArea>& monitors, ScreenRect fallback,
                                    bool allScreens) {
  const ScreenRect primary = PrimaryOf(monitors, fallback);
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

WindowPart PlaceWindowInSky(const std::vector<MonitorArea>& monitors, ScreenRect window, bool allScreens) {
  bool holdsOne = false;
  for (const MonitorArea& monitor : monitors) holdsOne = holdsOne || Holds(window, monitor.area);
  if (!holdsOne) return {{window, window, {}}, true};
  WindowPart part{PlaceSaverWindows(monitors, window, allScreens), false};
  part.primaryWindow = Holds(window, part.places.primary);
  part.places.saver = Overlap(part.places.saver, window);
  return part;
}

void FitPicture(Canvas& picture, const SaverWindowPlaces& places) {
  picture.Resize(places.saver.Width(), places.saver.Height());
  picture.SetView(AreaIn(places.primary, places.saver));
}

}  // namespace zelor
