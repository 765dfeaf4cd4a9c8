// Where the saver's windows go: the saver window on the primary monitor,
// a black one on each of the others. Rectangles in virtual-screen pixels.
#pragma once

#include <vector>

namespace zelor {

struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const ScreenRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct MonitorArea {
  ScreenRect area;
  bool primary = false;
};

struct ScreenPoint {
  int x = 0, y = 0;
};

struct SaverWindowPlaces {
  ScreenRect saver;
  std::vector<ScreenRect> black;
};

// The primary monitor is the one the system marks so; `fallback` (the
// primary screen's size at the origin) stands in when none is marked, and
// then every monitor of another place gets a black window.
SaverWindowPlaces PlaceSaverWindows(const std::vector<MonitorArea>& monitors, ScreenRect fallback);

// A point in client pixels of the window at `from`, in those of the window at `to`.
inline ScreenPoint TranslatePoint(ScreenPoint p, const ScreenRect& from, const ScreenRect& to) {
  return {p.x + from.left - to.left, p.y + from.top - to.top};
}

}  // namespace zelor
