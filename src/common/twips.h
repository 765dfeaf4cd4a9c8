// Layouts are given in twips (1/1440 inch); the screen counts pixels at the
// monitor's dots per inch.
#pragma once

namespace zelor {

constexpr int kTwipsPerInch = 1440;

// Rounded to the nearest pixel, halves away from zero.
constexpr int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + kTwipsPerInch / 2) / kTwipsPerInch
                                      : -((-scaled + kTwipsPerInch / 2) / kTwipsPerInch));
}

// A control's or client area's rectangle in twips.
struct TwipsRect {
  int left, top, width, height;
};

struct PixelBox {
  int left, top, width, height;
};

constexpr PixelBox ToPixels(TwipsRect r, int dpi) {
  return {TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(r.width, dpi),
          TwipsToPixels(r.height, dpi)};
}

// The dialogs' client areas all start here on the screen.
constexpr int kDialogLeftTwips = 2760;
constexpr int kDialogTopTwips = 3750;

}  // namespace zelor
