// Where the saver's picture goes: over the primary monitor with a black
// window on each of the others, or across all of them as one sky.
// Rectangles in virtual-screen pixels.
#pragma once

#include <vector>

#include "sim/canvas.h"

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
  ScreenRect saver;               // the saver window, which the picture covers
  ScreenRect primary;             // the sky's middle and the label are here
  std::vector<ScreenRect> black;  // a plain black window each
};

// The largest picture across and down, in pixels: three 4K monitors in a row
// fit; anything beyond costs more memory than a saver may take.
constexpr int kLargestPicture = 16384;

// The primary monitor is the one the system marks so, or else the one at
// the origin; `fallback` (the primary screen's size at the origin) stands in
// when there is neither. Every monitor of another place gets a black window. With `allScreens`
// the saver window covers the box around every monitor instead, and no
// monitor is black unless that box is larger than kLargestPicture.
SaverWindowPlaces PlaceSaverWindows(const std::vector<MonitorArea>& monitors, ScreenRect fallback,
                                    bool allScreens);

// What one window shows of the sky laid over the monitors, and whether it
// is the primary window: the one with the label, whose run stores its end.
struct WindowPart {
  // saver: the part of the window the sky covers, empty when the window
  // stays black; primary: the monitor whose middle is the sky's; black: as
  // PlaceSaverWindows says.
  SaverWindowPlaces places;
  bool primaryWindow = true;
  bool ShowsSky() const { return places.saver.Width() > 0 && places.saver.Height() > 0; }
};

// The window at `window` over `monitors`, in root pixels. A window that holds
// no monitor whole (a preview, a window of its own) is a screen of its own:
// all of the sky, the label and the run's end. Any other window, the root or
// one of a daemon's windows each covering one monitor, shows its part of the
// one sky PlaceSaverWindows lays over the monitors, at the primary's scale
// with the middle at the primary's centre; the window that holds the primary
// is the primary window, the others draw without a label and store nothing.
WindowPart PlaceWindowInSky(const std::vector<MonitorArea>& monitors, ScreenRect window, bool allScreens);

// A point in client pixels of the window at `from`, in those of the window at `to`.
inline ScreenPoint TranslatePoint(ScreenPoint p, const ScreenRect& from, const ScreenRect& to) {
  return {p.x + from.left - to.left, p.y + from.top - to.top};
}

// `area` in client pixels of the window at `window`.
inline PixelRect AreaIn(const ScreenRect& area, const ScreenRect& window) {
  return {area.left - window.left, area.top - window.top, area.right - window.left, area.bottom - window.top};
}

// A black picture over the saver window whose sky is centred on the primary
// monitor.
void FitPicture(Canvas& picture, const SaverWindowPlaces& places);

// The pointer at `p` in client pixels of the saver window, as the session
// takes it: in the primary monitor's pixels, with its size, wherever it is.
// So a move over any monitor wakes, and the first report is judged as on one
// monitor alone.
struct PointerReport {
  int x = 0, y = 0, width = 0, height = 0;
};
inline PointerReport PointerOnPrimary(ScreenPoint p, const SaverWindowPlaces& places) {
  const ScreenPoint q = TranslatePoint(p, places.saver, places.primary);
  return {q.x, q.y, places.primary.Width(), places.primary.Height()};
}

}  // namespace zelor
