// The picture a saver run shows: the run's canvas with the time label drawn
// over its top-left corner, as 8-bit RGB rows from the top.
#pragma once

#include <string>
#include <vector>

#include "sim/canvas.h"

namespace zelor::bodies {

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;  // width * height * 3 bytes
};

// Where the label covers the picture: the saver's label box at 96 dots per
// inch, widened as the saver widens it for a longer text; clipped to the
// picture.
PixelRect LabelBox(const std::string& label, int width, int height);

// The canvas with the label: black box, white text centred at its top. The
// saver draws the text in the system's font; here a small stroke font stands
// in for it, so the text is legible but its pixels are not the saver's.
Picture PictureOf(const Canvas& canvas, const std::string& label);

// The picture as a PNG file's bytes; empty on failure.
std::vector<unsigned char> EncodePng(const Picture& picture);

}  // namespace zelor::bodies
