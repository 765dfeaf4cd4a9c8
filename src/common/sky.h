// The visible sky's size, as the settings hold it and a run shows it.
#pragma once

#include <optional>

namespace zelor {

// AU; a negative size mirrors its axis.
struct Sky {
  double width = 0, height = 0;
};

// The shape of a sky the user set, to scale a new sky by: the two sizes, or
// a square where either is missing or 0.
inline Sky ShapeOf(const std::optional<double>& width, const std::optional<double>& height) {
  if (width && height && *width != 0 && *height != 0) return {*width, *height};
  return {1, 1};
}

}  // namespace zelor
