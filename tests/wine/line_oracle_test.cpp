// The canvas's one-pixel lines against GDI's LineTo on a 32-bit DIB section
// (run under Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "sim/canvas.h"

namespace zelor {
namespace {

constexpr int kSize = 64;
using Pixels = std::set<std::pair<int, int>>;

class GdiPicture {
 public:
  GdiPicture() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize;  // top-down, as the canvas
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    pen_ = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    oldBitmap_ = SelectObject(dc_, bitmap_);
    oldPen_ = SelectObject(dc_, pen_);
    SetROP2(dc_, R2_COPYPEN);
  }
  ~GdiPicture() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBitmap_);
    DeleteObject(pen_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  bool Ready() const { return bits_ != nullptr; }

  Pixels Line(int x0, int y0, int x1, int y1) {
    GdiFlush();
    std::fill(bits_, bits_ + kSize * kSize, 0u);
    MoveToEx(dc_, x0, y0, nullptr);
    LineTo(dc_, x1, y1);
    GdiFlush();
    Pixels lit;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x)
        if (bits_[y * kSize + x]) lit.insert({x, y});
    return lit;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HPEN pen_;
  HGDIOBJ oldBitmap_, oldPen_;
  std::uint32_t* bits_ = nullptr;
};

Pixels OurLine(int x0, int y0, int x1, int y1) {
  Canvas c;
  c.Resize(kSize, kSize);
  c.Line(static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x1 - x0), static_cast<float>(y1 - y0),
         0x000000FF);
  Pixels lit;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      if (c.PixelAt(x, y)) lit.insert({x, y});
  return lit;
}

std::string Show(const Pixels& p) {
  std::string s;
  char buf[32];
  for (auto [x, y] : p) {
    std::snprintf(buf, sizeof buf, "(%d,%d)", x, y);
    s += buf;
  }
  return s;
}

// Whether the true line crosses pixel column x (or, for a steep line, row y)
// exactly halfway between two pixels.
bool AtATie(int x0, int y0, int x1, int y1, int x, int y) {
  const int dx = x1 - x0, dy = y1 - y0;
  const bool shallow = std::abs(dx) >= std::abs(dy);
  const int major = shallow ? dx : dy, along = shallow ? x - x0 : y - y0;
  if (major == 0) return false;
  const int twice = 2 * along * (shallow ? dy : dx);
  return twice % major == 0 && (twice / major) % 2 != 0;
}

// Segments in every octant, each 1 to 40 pixels along its longer axis, plus
// the straight, the diagonal and the empty ones.
std::vector<std::array<int, 4>> Segments() {
  std::vector<std::array<int, 4>> segments{{5, 5, 30, 5},  {30, 9, 5, 9},   {7, 3, 7, 40},
                                           {9, 40, 9, 3},  {10, 10, 40, 40}, {40, 10, 10, 40},
                                           {20, 20, 20, 20}, {0, 0, 63, 63}};
  std::mt19937 random(20261207);
  for (int octant = 0; octant < 8; ++octant)
    for (int i = 0; i < 50; ++i) {
      const int major = 1 + static_cast<int>(random() % 40), minor = static_cast<int>(random() % (major + 1));
      int dx = major, dy = minor;
      if (octant & 1) std::swap(dx, dy);
      if (octant & 2) dx = -dx;
      if (octant & 4) dy = -dy;
      const int x0 = 12 + static_cast<int>(random() % 40), y0 = 12 + static_cast<int>(random() % 40);
      segments.push_back({x0, y0, std::clamp(x0 + dx, 0, kSize - 1), std::clamp(y0 + dy, 0, kSize - 1)});
    }
  return segments;
}

// The canvas draws GDI's pixels and the end point, which LineTo leaves out.
// The one difference: where the true line runs exactly between two pixels,
// GDI takes the upper or left one whichever way the line goes, while the
// canvas takes the one towards the end point, so that on a tie a line going
// down or right lies one pixel lower or further right than GDI's.
TEST(LinesAsGdi, AreGdisPixelsWithTheEndAndTiesTowardsTheEnd) {
  GdiPicture gdi;
  ASSERT_TRUE(gdi.Ready());
  int ties = 0, endsLeftOutByGdi = 0, differences = 0;
  const auto segments = Segments();
  for (const auto& [x0, y0, x1, y1] : segments) {
    const Pixels theirs = gdi.Line(x0, y0, x1, y1);
    endsLeftOutByGdi += !theirs.count({x1, y1});
    Pixels expected{{x1, y1}};
    const bool shallow = std::abs(x1 - x0) >= std::abs(y1 - y0);
    for (auto [x, y] : theirs) {
      if (AtATie(x0, y0, x1, y1, x, y)) {
        ++ties;
        if (shallow && y1 > y0) ++y;
        if (!shallow && x1 > x0) ++x;
      }
      expected.insert({x, y});
    }
    const Pixels ours = OurLine(x0, y0, x1, y1);
    if (ours != expected && ++differences <= 5)
      ADD_FAILURE() << "(" << x0 << "," << y0 << ")-(" << x1 << "," << y1 << "): ours " << Show(ours)
                    << "\n expected " << Show(expected);
  }
  EXPECT_EQ(differences, 0) << "of " << segments.size();
  EXPECT_EQ(endsLeftOutByGdi, static_cast<int>(segments.size()));
  EXPECT_GT(ties, 100);
}

}  // namespace
}  // namespace zelor
