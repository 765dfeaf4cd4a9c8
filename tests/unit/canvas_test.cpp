#include "sim/canvas.h"

#include <gtest/gtest.h>

namespace zelor {
namespace {

constexpr std::int32_t kRed = 0x000000FF;  // 0x00BBGGRR
constexpr std::uint32_t kRedPixel = 0x00FF0000;

int CountLit(const Canvas& c) {
  int lit = 0;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) lit += c.PixelAt(x, y) != 0;
  return lit;
}

Canvas SkyOfTwoAu(int width, int height) {
  Canvas c;
  c.Resize(width, height);
  c.SetUserScale(-1, -1, 1, 1);
  return c;
}

TEST(CanvasColours, StoresTheColourAsADibPixel) {
  EXPECT_EQ(ToPixel(0x00123456), 0x00563412u);
  Canvas c = SkyOfTwoAu(10, 10);
  c.Point(0, 0, kRed);
  EXPECT_EQ(c.PixelAt(5, 5), kRedPixel);
}

TEST(CanvasCoordinates, MapsTheUserSystemOntoTheWholePicture) {
  Canvas c = SkyOfTwoAu(200, 100);
  c.Point(-1, -1, kRed);
  c.Point(0.999f, 0.999f, kRed);
  EXPECT_EQ(c.PixelAt(0, 0), kRedPixel);
  EXPECT_EQ(c.PixelAt(199, 99), kRedPixel);
  EXPECT_DOUBLE_EQ(c.UserX(100), 0);
  EXPECT_DOUBLE_EQ(c.UserY(0), -1);
}

// A new size starts afresh: no rows for a negative height, and the user
// system back at the pixels.
TEST(CanvasCoordinates, ANewSizeStartsAfresh) {
  Canvas c = SkyOfTwoAu(10, 10);
  c.Resize(10, -5);
  EXPECT_EQ(c.Height(), 0);
  c.Resize(10, 10);
  c.Point(0.5f, 0.5f, kRed);
  EXPECT_EQ(c.PixelAt(0, 0), kRedPixel);
}

TEST(CanvasCoordinates, AReversedEdgeMirrorsTheAxis) {
  Canvas c;
  c.Resize(100, 100);
  c.SetUserScale(1, -1, -1, 1);  // negative width: left edge at +1
  c.Point(0.9f, 0, kRed);
  EXPECT_EQ(c.PixelAt(5, 50), kRedPixel);
}

TEST(CanvasLines, DrawBothEndsAndEveryPixelBetween) {
  Canvas c;
  c.Resize(20, 20);
  c.Line(2, 3, 10, 0, kRed);
  for (int x = 2; x <= 12; ++x) EXPECT_EQ(c.PixelAt(x, 3), kRedPixel) << x;
  EXPECT_EQ(CountLit(c), 11);
  Canvas d;
  d.Resize(20, 20);
  d.Line(15, 15, -10, -5, kRed);
  EXPECT_EQ(d.PixelAt(15, 15), kRedPixel);
  EXPECT_EQ(d.PixelAt(5, 10), kRedPixel);
  EXPECT_EQ(CountLit(d), 11);
}

TEST(CanvasLines, AreClippedAtTheEdgeWhateverTheirLength) {
  Canvas c;
  c.Resize(50, 50);
  c.Line(-1e30f, 25, 3e30f, 0, kRed);  // across the picture from far away
  EXPECT_EQ(CountLit(c), 50);
  c.Line(1e20f, 1e20f, 1, 1, kRed);  // entirely outside
  c.Point(-3, 4, kRed);
  EXPECT_EQ(CountLit(c), 50);
}

// Lines leaving or entering through the top, bottom and right edges, steep and
// shallow: the end on the edge is drawn, and every cell of Bresenham's line
// up to it (the larger of the two spans, plus one).
TEST(CanvasLines, AreClippedThroughTheEdgesAtAnySlope) {
  struct Row {
    const char* what;
    float x, y, dx, dy;
    int edgeX, edgeY, lit;
  } rows[] = {
      {"straight down out of the bottom", 10.5f, 10.5f, 0, 100, 10, 19, 10},
      {"straight up out of the top", 10.5f, 10.5f, 0, -100, 10, 0, 11},
      {"1:2 down out of the bottom", 5.5f, 5.5f, 10, 20, 12, 19, 15},
      {"3:1 up out of the top, past the right", 2.5f, 4.5f, 30, -10, 16, 0, 15},
      {"in from below the bottom", 10.5f, 30.5f, 0, -25, 10, 19, 15},
      {"in from above the top, 1:4", 4.5f, -10.5f, 5, 20, 7, 0, 10},
      {"3:1 down out of the right", 4.5f, 5.5f, 30, 10, 19, 10, 16},
  };
  for (const Row& row : rows) {
    Canvas c;
    c.Resize(20, 20);
    c.Line(row.x, row.y, row.dx, row.dy, kRed);
    EXPECT_EQ(c.PixelAt(row.edgeX, row.edgeY), kRedPixel) << row.what;
    EXPECT_EQ(CountLit(c), row.lit) << row.what;
  }
}

TEST(CanvasLines, IgnoreCoordinatesThatAreNotNumbers) {
  Canvas c = SkyOfTwoAu(10, 10);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  c.Line(nan, 0, 1, 1, kRed);
  c.Point(0, nan, kRed);
  EXPECT_EQ(CountLit(c), 0);
}

// The places drawn are kept as tiles of 32 x 32 pixels.
TEST(CanvasDirtyArea, CoversTheTilesDrawnOnSinceTheLastTake) {
  Canvas c;
  c.Resize(100, 100);
  const PixelRect whole = c.TakeDirty();  // a new picture must be shown whole
  EXPECT_EQ(whole.right, 100);
  EXPECT_EQ(whole.bottom, 100);
  EXPECT_TRUE(c.TakeDirty().Empty());
  c.Point(10, 20, kRed);
  c.Line(30, 40, 5, 2, kRed);
  const PixelRect r = c.TakeDirty();
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 64);
  EXPECT_EQ(r.bottom, 64);
  EXPECT_TRUE(c.TakeDirty().Empty());
  // Two places far apart, the first found top right: one box around both.
  Canvas far;
  far.Resize(1000, 1000);
  far.TakeDirty();
  far.Point(990, 10, kRed);
  far.Point(10, 990, kRed);
  const PixelRect both = far.TakeDirty();
  EXPECT_EQ(both.left, 0);
  EXPECT_EQ(both.top, 0);
  EXPECT_EQ(both.right, 992);
  EXPECT_EQ(both.bottom, 992);
}

TEST(CanvasDirtyArea, KeepsPlacesFarApartApartWhileThatIsCheaper) {
  Canvas c;
  c.Resize(1000, 1000);
  c.TakeDirty();
  c.Line(10, 10, 5, 0, kRed);   // a body at one corner,
  c.Point(990, 990, kRed);      // another at the opposite one,
  c.Line(500, 0, 0, 200, kRed);  // and a third going down: one area of a tile's width
  const std::vector<PixelRect> areas = c.TakeDirtyAreas();
  ASSERT_EQ(areas.size(), 3u);
  EXPECT_EQ(areas[0].right, 32);
  EXPECT_EQ(areas[0].bottom, 32);
  EXPECT_EQ(areas[1].left, 480);
  EXPECT_EQ(areas[1].right, 512);
  EXPECT_EQ(areas[1].bottom, 224);
  EXPECT_EQ(areas[2].left, 960);
  EXPECT_EQ(areas[2].right, 992);

  // Places close together: the area around them costs less than each alone.
  c.Line(0, 0, 50, 50, kRed);
  c.Line(70, 0, 50, 50, kRed);
  const std::vector<PixelRect> arcs = c.TakeDirtyAreas();
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_EQ(arcs[0].right, 128);

  // A crowd of far-apart places: one area around them all.
  for (int i = 0; i < 40; ++i) c.Point(static_cast<float>(25 * i), static_cast<float>(25 * i), kRed);
  const std::vector<PixelRect> crowd = c.TakeDirtyAreas();
  ASSERT_EQ(crowd.size(), 1u);
  EXPECT_EQ(crowd[0].left, 0);
  EXPECT_EQ(crowd[0].right, 992);
}

// The exact edges of that rule. Two tiles in one row cost two tiles and two
// areas' overhead (2 x (1,024 + 65,536) pixels) one by one; the box around
// them at 4,160 pixels is just as big (one area), at 4,192 bigger (two). And
// up to 32 areas are sent, one more is too many (one area around them).
TEST(CanvasDirtyArea, EdgesOfTheRule) {
  struct Row {
    const char* what;
    int places;
    float step;  // between the places, down and right
    std::size_t areas;
  } rows[] = {
      {"a box exactly as dear as the two", 2, 4159, 1},
      {"a box one tile dearer", 2, 4191, 2},
      {"the most areas", 32, 64, 32},
      {"one area too many", 33, 64, 1},
  };
  for (const Row& row : rows) {
    const bool flat = row.places == 2;
    Canvas c;
    c.Resize(flat ? 5000 : 2200, flat ? 32 : 2200);
    c.TakeDirty();
    for (int i = 0; i < row.places; ++i) c.Point(row.step * i, flat ? 0 : row.step * i, kRed);
    EXPECT_EQ(c.TakeDirtyAreas().size(), row.areas) << row.what;
  }
}

// Lines whose ends lie so far outside the picture, in pixels, that the
// distance between them is beyond the range of a double. A sky of about
// 1e-300 AU or less puts ordinary positions there.
// A sky 1e-306 AU wide: one AU is some 6e307 pixels, so the ends below lie
// near ±1.3e308 pixels and their distance overflows. Where such a line
// crosses the picture cannot be told to a pixel any more; it must still be
// no fault. The sanitizers (float-cast-overflow) see the conversion of a
// not-a-number to a pixel position that happens otherwise.
TEST(CanvasFarOutside, ALineWhoseEndsAreTooFarApartForADoubleIsNoFault) {
  Canvas canvas;
  canvas.Resize(64, 48);
  canvas.SetUserScale(-5e-307, -5e-307, 5e-307, 5e-307);
  canvas.TakeDirty();
  canvas.Line(2, 2, -4, -4, kRed);  // from beyond one corner to beyond the other
  canvas.Line(-2, 2, 4, -4, kRed);
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
