// The time label over the saver's top-left corner: its box, the size of its
// text and how it grows. Both saver windows and the body tool's pictures
// draw it by these.
#pragma once

#include <algorithm>

#include "common/twips.h"

namespace zelor {

// The box at the primary monitor's top left, black behind the text.
constexpr TwipsRect kTimeLabelTwips{0, 0, 2055, 615};
// The text's size in points, centred at the box's top.
constexpr int kTimeLabelPoints = 24;
// Where the screen's dots per inch are not known (X, a picture file), the
// box is as the Windows program has it on a usual screen: 137 by 41 pixels.
constexpr int kUsualScreenDpi = 96;

constexpr PixelBox TimeLabelBox(int dpi) { return ToPixels(kTimeLabelTwips, dpi); }

// The count soon needs more digits than the box was made for: the box widens
// to the right to show them all, with a margin of a quarter of the line's
// height either side, and never narrows, so no stale digit is left beside it.
constexpr int WidenedLabelWidth(int width, int textWidth, int lineHeight) {
  return std::max(width, textWidth + 2 * (lineHeight / 4));
}

}  // namespace zelor
