#include "common/caption_room.h"

#include <algorithm>
#include <numeric>

namespace zelor {

PixelDialog DialogInPixels(int widthTwips, int heightTwips, const std::vector<TwipsRect>& controls, int dpi) {
  PixelDialog dialog{TwipsToPixels(widthTwips, dpi), TwipsToPixels(heightTwips, dpi), {}};
  for (const TwipsRect& rect : controls) dialog.controls.push_back(ToPixels(rect, dpi));
  return dialog;
}

void MakeRoomForCaptions(PixelDialog& dialog, const std::vector<int>& needs, int dpi) {
  const int air = TwipsToPixels(kCaptionAirTwips, dpi);
  std::vector<PixelBox>& boxes = dialog.controls;
  const auto right = [&](std::size_t i) { return boxes[i].left + boxes[i].width; };
  // From left to right: a strip put in moves everything beyond it, so each
  // control is measured once, after the strips to its left.
  std::vector<std::size_t> order(boxes.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return right(a) < right(b); });
  for (std::size_t i : order) {
    if (i >= needs.size() || needs[i] <= 0) continue;
    const int missing = needs[i] + air - boxes[i].width;
    if (missing <= 0) continue;
    const int edge = right(i);
    for (PixelBox& box : boxes) {
      if (box.left >= edge)
        box.left += missing;
      else if (box.left + box.width >= edge)
        box.width += missing;
    }
    dialog.width += missing;
  }
}

}  // namespace zelor
