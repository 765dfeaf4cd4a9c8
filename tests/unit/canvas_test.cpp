#include "sim/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

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
// system back at the pixels, also after a view of its own; so is a canvas
// never sized.
TEST(CanvasCoordinates, ANewSizeStartsAfresh) {
  const Canvas fresh;
  EXPECT_DOUBLE_EQ(fresh.UserX(3), 3);
  EXPECT_DOUBLE_EQ(fresh.UserY(4), 4);
  Canvas c = SkyOfTwoAu(10, 10);
  c.Resize(10, -5);
  EXPECT_EQ(c.Height(), 0);
  c.Resize(10, 10);
  c.SetView({0, 0, 10, 10});  // no edges to map: the old ones went with the old size
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

// A picture across monitors: the edges lie on the view, the primary monitor,
// and the picture beyond goes on at the same scale; a new size keeps them.
TEST(CanvasCoordinates, TheEdgesLieOnTheViewAndThePictureGoesOnBeyondIt) {
  Canvas c;
  c.Resize(400, 300);
  c.SetView({100, 50, 300, 150});
  c.SetUserScale(-1, -1, 1, 1);
  EXPECT_DOUBLE_EQ(c.UserX(100), -1);
  EXPECT_DOUBLE_EQ(c.UserX(300), 1);
  EXPECT_DOUBLE_EQ(c.UserX(0), -2);
  EXPECT_DOUBLE_EQ(c.UserY(300), 4);
  c.SetUserScale(-1, -1, 1, 1, true);  // round: 50 pixels a unit both ways, more shown across
  EXPECT_DOUBLE_EQ(c.UserX(300), 2);
  EXPECT_DOUBLE_EQ(c.UserY(150), 1);
  EXPECT_DOUBLE_EQ(c.UserY(0), -2);
  c.Point(2.5f, 0, kRed);  // right of the view, still on the picture
  EXPECT_EQ(c.PixelAt(325, 100), kRedPixel);
  c.Refit(200, 100, {0, 0, 200, 100});
  EXPECT_EQ(CountLit(c), 0);
  EXPECT_DOUBLE_EQ(c.UserX(200), 2);
  EXPECT_DOUBLE_EQ(c.UserY(0), -1);
  c.SetUserScale(1, 1, -1, -1, true);  // mirrored both ways, the middle kept
  EXPECT_DOUBLE_EQ(c.UserX(0), 2);
  EXPECT_DOUBLE_EQ(c.UserY(100), -1);
  c.SetUserScale(0, 0, 2, 2, true);  // edges off the origin: their middle (1, 1) in the view's
  EXPECT_DOUBLE_EQ(c.UserX(100), 1);
  EXPECT_DOUBLE_EQ(c.UserY(0), 0);
  EXPECT_DOUBLE_EQ(c.UserY(100), 2);
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

// Lines leaving or entering through each of the four edges, steep and
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
      {"3:1 down out of the left, the mirror of the right", 15.5f, 5.5f, -30, 10, 0, 10, 16},
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

// Drawing held back is not on the picture, nor among its places drawn, until
// it is shown: then each pixel is what drawing it directly would have left,
// the later of two lines on top. Dropped, or on a new size, it is gone.
TEST(CanvasHeld, ShowsAsDrawingItThenWouldHaveAndIsGoneWhenDropped) {
  constexpr std::int32_t kGreen = 0x0000FF00, kWhite = 0x00FFFFFF;
  Canvas direct = SkyOfTwoAu(100, 100), held = SkyOfTwoAu(100, 100);
  direct.Point(0.1f, 0.1f, kRed);
  held.Point(0.1f, 0.1f, kRed);
  direct.TakeDirtyAreas();
  held.TakeDirtyAreas();
  const auto drawBoth = [](Canvas& c, bool hold) {
    const auto line = hold ? &Canvas::HeldLine : &Canvas::Line;
    const auto point = hold ? &Canvas::HeldPoint : &Canvas::Point;
    // Crossing lines, the first over the red point, and where they cross a
    // point whose colour gives the pixel 0.
    (c.*line)(-0.9f, -0.9f, 1.8f, 1.8f, kGreen);
    (c.*line)(-0.9f, 0.9f, 1.8f, -1.8f, kWhite);
    (c.*point)(0, 0, 0x7F000000);
  };
  drawBoth(direct, false);
  drawBoth(held, true);
  ASSERT_EQ(direct.PixelAt(50, 50), 0u);
  EXPECT_EQ(CountLit(held), 1);  // the red point alone
  EXPECT_TRUE(held.TakeDirtyAreas().empty());
  held.ShowHeld();
  EXPECT_EQ(std::vector<std::uint32_t>(held.Pixels(), held.Pixels() + 100 * 100),
            std::vector<std::uint32_t>(direct.Pixels(), direct.Pixels() + 100 * 100));
  const auto areas = [](Canvas& c) {
    std::vector<std::tuple<int, int, int, int>> all;
    for (const PixelRect& r : c.TakeDirtyAreas()) all.emplace_back(r.left, r.top, r.right, r.bottom);
    return all;
  };
  EXPECT_EQ(areas(held), areas(direct));
  held.ShowHeld();  // shown once only
  EXPECT_TRUE(held.TakeDirtyAreas().empty());

  const std::vector<std::uint32_t> before(held.Pixels(), held.Pixels() + 100 * 100);
  held.HeldLine(-1, 0, 2, 0, kGreen);
  held.DropHeld();
  held.ShowHeld();
  EXPECT_EQ(std::vector<std::uint32_t>(held.Pixels(), held.Pixels() + 100 * 100), before);
  held.HeldLine(-1, 0, 2, 0, kGreen);
  held.Resize(50, 50);
  held.ShowHeld();
  EXPECT_EQ(CountLit(held), 0);
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

// Over many random batches of lines and points: every pixel a batch changed
// lies in an area the screen gets, and the areas cover at most a bounded
// multiple of the tiles drawn on, so a few places far apart never make the
// whole picture count as drawn.
TEST(CanvasDirtyArea, CoverEveryChangedPixelAndLittleMoreThanTheTilesDrawnOn) {
  constexpr int kTile = 32;
  constexpr long long kMostTimesTheTiles = 100;
  std::mt19937 random(24);
  for (const auto& [width, height, batches] :
       {std::tuple{1920, 1080, 120}, std::tuple{640, 480, 300}, std::tuple{77, 45, 100}}) {
    Canvas c;
    c.Resize(width, height);
    c.TakeDirty();
    std::uniform_real_distribution<float> x(-0.2f * width, 1.2f * width), y(-0.2f * height, 1.2f * height);
    std::vector<std::uint32_t> before(c.Pixels(), c.Pixels() + static_cast<std::size_t>(width) * height);
    for (int batch = 0; batch < batches; ++batch) {
      // A new colour a batch, so every pixel drawn is a pixel changed.
      const std::int32_t colour = batch + 1;
      const int count = std::uniform_int_distribution<int>(1, batch % 4 == 0 ? 60 : 4)(random);
      const float reach = batch % 3 == 0 ? 1.5f * width : 40.0f;
      std::uniform_real_distribution<float> step(-reach, reach);
      for (int i = 0; i < count; ++i) {
        if (i % 3 == 2)
          c.Point(x(random), y(random), colour);
        else
          c.Line(x(random), y(random), step(random), step(random), colour);
      }
      const std::vector<PixelRect> areas = c.TakeDirtyAreas();
      const auto inside = [&](int px, int py) {
        return std::any_of(areas.begin(), areas.end(), [&](const PixelRect& a) {
          return a.left <= px && px < a.right && a.top <= py && py < a.bottom;
        });
      };
      std::set<std::pair<int, int>> tiles;
      for (int py = 0; py < height; ++py)
        for (int px = 0; px < width; ++px) {
          std::uint32_t& was = before[static_cast<std::size_t>(py) * width + px];
          if (c.PixelAt(px, py) == was) continue;
          was = c.PixelAt(px, py);
          tiles.insert({px / kTile, py / kTile});
          ASSERT_TRUE(inside(px, py)) << "pixel " << px << "," << py << " of batch " << batch;
        }
      long long tilePixels = 0, covered = 0;
      for (const auto& [column, row] : tiles)  // tiles at the edge are cut off
        tilePixels += static_cast<long long>(std::min(kTile, width - column * kTile)) *
                      std::min(kTile, height - row * kTile);
      for (const PixelRect& a : areas) covered += static_cast<long long>(a.right - a.left) * (a.bottom - a.top);
      ASSERT_LE(covered, kMostTimesTheTiles * tilePixels)
          << areas.size() << " areas for " << tiles.size() << " tiles in batch " << batch << " on " << width;
    }
  }
}

// Two monitors side by side, a crowd of places on each: the copies stay near
// each crowd and never take in the space between.
TEST(CanvasDirtyArea, ACrowdOnEachOfTwoMonitorsStaysApart) {
  Canvas c;
  c.Resize(3840, 1080);
  c.TakeDirty();
  for (int i = 0; i < 20; ++i) {  // more places than areas a copy may take
    c.Point(static_cast<float>(40 * i), static_cast<float>(100 + 40 * i), kRed);
    c.Point(static_cast<float>(3080 + 40 * i), static_cast<float>(900 - 40 * i), kRed);
  }
  const std::vector<PixelRect> areas = c.TakeDirtyAreas();
  ASSERT_GE(areas.size(), 2u);
  long long pixels = 0;
  for (const PixelRect& a : areas) {
    EXPECT_TRUE(a.right <= 1024 || a.left >= 2816) << a.left << ".." << a.right;
    pixels += static_cast<long long>(a.right - a.left) * (a.bottom - a.top);
  }
  EXPECT_LT(pixels, 1024 * 1024);
}

// The exact edges of that rule. Two tiles in one row cost two tiles and two
// areas' overhead (2 x (1,024 + 65,536) pixels) one by one; the box around
// them at 4,160 pixels is just as big (one area), at 4,192 bigger (two), and
// so in one column. Cut by the picture's edges, a tile of 11 x 32 pixels at
// the top right and one of 32 x 3 at the bottom left cost one pixel less
// than the 1,963 x 67 box around them (two). And up to 32 areas are sent, one
// more is too many (one area around them).
TEST(CanvasDirtyArea, EdgesOfTheRule) {
  struct Row {
    const char* what;
    int width, height;
    int places;
    float x, y;    // the first place
    float dx, dy;  // from one place to the next
    std::size_t areas;
  } rows[] = {
      {"a box exactly as dear as the two", 5000, 32, 2, 0, 0, 4159, 0, 1},
      {"a box one tile dearer", 5000, 32, 2, 0, 0, 4191, 0, 2},
      {"a box one tile dearer, in one column", 32, 5000, 2, 0, 0, 0, 4191, 2},
      {"a box one pixel dearer, the tiles cut by the edges", 1963, 67, 2, 1962, 0, -1962, 66, 2},
      {"the most areas", 2200, 2200, 32, 0, 0, 64, 64, 32},
      {"one area too many: cells of four tiles join pairs", 2200, 2200, 33, 0, 0, 64, 64, 17},
  };
  for (const Row& row : rows) {
    Canvas c;
    c.Resize(row.width, row.height);
    c.TakeDirty();
    for (int i = 0; i < row.places; ++i) c.Point(row.x + row.dx * i, row.y + row.dy * i, kRed);
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
  // Such a line is left out rather than guessed: nothing drawn, nothing to show.
  EXPECT_TRUE(canvas.TakeDirty().Empty());
  EXPECT_EQ(CountLit(canvas), 0);
}

}  // namespace
}  // namespace zelor
