// The picture of a run: a pixel buffer the size of the saver window's client
// area, drawn through a user coordinate system the way the window would be.
// Nothing is ever cleared, so the buffer is the complete picture and the
// window can repaint any part of it at any time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/dirty_tiles.h"

namespace zelor {

class Canvas {
 public:
  // A black picture; the user coordinates are pixels until SetUserScale, and
  // the view is the whole picture.
  void Resize(int width, int height);
  // Maps the user coordinates of the four edges linearly onto the view; a
  // right edge left of the left edge mirrors the axis. With `round` both axes
  // get the same number of pixels per unit, the larger one that still shows
  // all of the edges, and the view's longer side shows more beyond them.
  // Outside the view the picture goes on at the same scale.
  void SetUserScale(double left, double top, double right, double bottom, bool round = false);
  // The part of the picture the user edges are mapped onto: the primary
  // monitor in a picture across several. Keeps the edges set.
  void SetView(PixelRect view);
  // A black picture of a new size and view, with the user edges kept: for a
  // window whose size changes.
  void Refit(int width, int height, PixelRect view);

  // A one-pixel line from (x, y) to (x + dx, y + dy), both ends included, and
  // a single point; colours are 0x00BBGGRR. What lies outside is clipped.
  void Line(float x, float y, float dx, float dy, std::int32_t color);
  void Point(float x, float y, std::int32_t color);

  // The same, held back: for a step that may be dropped unfinished. Neither
  // the picture nor its dirty areas show held drawing until ShowHeld puts it
  // on the picture, each pixel as the last held line or point left it, just
  // as drawing it then would have; DropHeld forgets it, and so does a new
  // size. At most one more picture's worth of memory, and an index for each
  // pixel held.
  void HeldLine(float x, float y, float dx, float dy, std::int32_t color);
  void HeldPoint(float x, float y, std::int32_t color);
  void ShowHeld();
  void DropHeld();

  // The places drawn since the last take, by DirtyTiles' rule, and forgets
  // them. A new picture counts as drawn all over.
  std::vector<PixelRect> TakeDirtyAreas();
  // The same as one area around all of them.
  PixelRect TakeDirty();

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Rows from the top, 0x00RRGGBB each: the layout of a 32-bit top-down DIB.
  const std::uint32_t* Pixels() const { return pixels_.data(); }
  std::uint32_t PixelAt(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

  // The user coordinates of a pixel position, for the pointer.
  double UserX(double pixelX) const { return left_ + pixelX / scaleX_; }
  double UserY(double pixelY) const { return top_ + pixelY / scaleY_; }

 private:
  double PixelX(double userX) const { return (userX - left_) * scaleX_; }
  double PixelY(double userY) const { return (userY - top_) * scaleY_; }
  void DrawLine(float x, float y, float dx, float dy, std::uint32_t pixel, bool held);
  void DrawPoint(float x, float y, std::uint32_t pixel, bool held);
  void Plot(int x, int y, std::uint32_t pixel, bool held);
  void MapEdges();

  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;
  // The user coordinates at pixel (0, 0), and pixels per user unit.
  double left_ = 0, top_ = 0, scaleX_ = 1, scaleY_ = 1;
  PixelRect view_;
  bool hasEdges_ = false, round_ = false;
  double edgeLeft_ = 0, edgeTop_ = 0, edgeRight_ = 0, edgeBottom_ = 0;
  DirtyTiles dirty_;
  // Held pixels with kHeldMark set, 0 where nothing is held; and where they are.
  std::vector<std::uint32_t> held_;
  std::vector<std::size_t> heldAt_;
};

// 0x00BBGGRR as the DIB's 0x00RRGGBB.
constexpr std::uint32_t ToPixel(std::int32_t color) {
  const auto c = static_cast<std::uint32_t>(color);
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

}  // namespace zelor
