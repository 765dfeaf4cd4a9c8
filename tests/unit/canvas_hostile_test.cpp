// Lines whose ends lie so far outside the picture, in pixels, that the
// distance between them is beyond the range of a double. A sky of about
// 1e-300 AU or less puts ordinary positions there.
#include <gtest/gtest.h>

#include <cstdint>

#include "sim/canvas.h"

namespace zelor {
namespace {

constexpr std::int32_t kWhite = 0x00FFFFFF;

// A sky 1e-306 AU wide: one AU is some 6e307 pixels, so the ends below lie
// near ±1.3e308 pixels and their distance overflows. Where such a line
// crosses the picture cannot be told to a pixel any more; it must still be
// no fault. The sanitizers (float-cast-overflow) see the conversion of a
// not-a-number to a pixel position that happens otherwise.
TEST(CanvasHostile, ALineWhoseEndsAreTooFarApartForADoubleIsNoFault) {
  Canvas canvas;
  canvas.Resize(64, 48);
  canvas.SetUserScale(-5e-307, -5e-307, 5e-307, 5e-307);
  canvas.TakeDirty();
  canvas.Line(2, 2, -4, -4, kWhite);  // from beyond one corner to beyond the other
  canvas.Line(-2, 2, 4, -4, kWhite);
  const PixelRect drawn = canvas.TakeDirty();
  if (!drawn.Empty()) {
    EXPECT_GE(drawn.left, 0);
    EXPECT_GE(drawn.top, 0);
    EXPECT_LE(drawn.right, 64);
    EXPECT_LE(drawn.bottom, 48);
  }
}

}  // namespace
}  // namespace zelor
