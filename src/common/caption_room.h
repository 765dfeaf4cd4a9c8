// Dialogs are laid out in twips, but their captions are drawn in the
// platform's dialog font, whose width does not scale with the twips: at some
// dots per inch a caption needs more room than its control has. The dialog
// then widens where the caption ends, so every caption shows whole, and keeps
// its rows and the order of its controls.
#pragma once

#include <vector>

#include "common/twips.h"

namespace zelor {

struct PixelDialog {
  int width, height;               // the client area
  std::vector<PixelBox> controls;  // within it, in the order of the layout
};

// The dialog as its layout gives it, at the monitor's dots per inch.
PixelDialog DialogInPixels(int widthTwips, int heightTwips, const std::vector<TwipsRect>& controls, int dpi);

// A caption keeps this much air before its control's right edge, so a label
// never runs into the text box beside it.
constexpr int kCaptionAirTwips = 60;

// `needs[i]` is the width control i needs to show its caption whole at `dpi`
// (0 for a control without one). Where a control is too narrow for that and
// the air, a strip of the missing width goes in at its right edge, through
// the whole dialog: the controls that end there (its column) widen, the ones
// that reach across it widen, the ones beyond it move right, and the client
// area widens.
void MakeRoomForCaptions(PixelDialog& dialog, const std::vector<int>& needs, int dpi);

}  // namespace zelor
