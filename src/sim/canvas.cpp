#include "sim/canvas.h"

#include <algorithm>
#include <cmath>

namespace zelor {
namespace {

// Clips the segment to [lo, hi] on both axes (Cohen-Sutherland). An end moved
// to an edge lies exactly on it, so even a line from far away keeps its pixels.
// Works in doubles so far-away ends cannot overflow. False when nothing is left.
int Outcode(double x, double y, double loX, double loY, double hiX, double hiY) {
  return (x < loX ? 1 : 0) | (x > hiX ? 2 : 0) | (y < loY ? 4 : 0) | (y > hiY ? 8 : 0);
}

bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double loX, double loY,
                 double hiX, double hiY) {
  int code0 = Outcode(x0, y0, loX, loY, hiX, hiY), code1 = Outcode(x1, y1, loX, loY, hiX, hiY);
  for (int round = 0; round < 8; ++round) {
    if (!(code0 | code1)) return true;
    if (code0 & code1) return false;
    const int out = code0 ? code0 : code1;
    double x, y;
    if (out & 8) { y = hiY; x = x0 + (x1 - x0) * ((hiY - y0) / (y1 - y0)); }
    else if (out & 4) { y = loY; x = x0 + (x1 - x0) * ((loY - y0) / (y1 - y0)); }
    else if (out & 2) { x = hiX; y = y0 + (y1 - y0) * ((hiX - x0) / (x1 - x0)); }
    else { x = loX; y = y0 + (y1 - y0) * ((loX - x0) / (x1 - x0)); }
    if (out == code0) { x0 = x; y0 = y; code0 = Outcode(x0, y0, loX, loY, hiX, hiY); }
    else { x1 = x; y1 = y; code1 = Outcode(x1, y1, loX, loY, hiX, hiY); }
  }
  return !(code0 | code1);
}

// The top byte, which no pixel uses: a held pixel is never 0, whatever its colour.
constexpr std::uint32_t kHeldMark = 0xFF000000u;

}  // namespace

void Canvas::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<size_t>(width_) * height_, 0);
  left_ = top_ = 0;
  scaleX_ = scaleY_ = 1;
  view_ = {0, 0, width_, height_};
  hasEdges_ = false;
  dirty_.Resize(width_, height_);
  held_.clear();
  heldAt_.clear();
}

void Canvas::Refit(int width, int height, PixelRect view) {
  const bool hadEdges = hasEdges_;
  Resize(width, height);
  hasEdges_ = hadEdges;
  SetView(view);
}

void Canvas::SetView(PixelRect view) {
  view_ = view;
  MapEdges();
}

void Canvas::SetUserScale(double left, double top, double right, double bottom, bool round) {
  edgeLeft_ = left;
  edgeTop_ = top;
  edgeRight_ = right;
  edgeBottom_ = bottom;
  round_ = round;
  hasEdges_ = true;
  MapEdges();
}

void Canvas::MapEdges() {
  if (!hasEdges_) return;
  const double viewWidth = view_.right - view_.left, viewHeight = view_.bottom - view_.top;
  scaleX_ = viewWidth / (edgeRight_ - edgeLeft_);
  scaleY_ = viewHeight / (edgeBottom_ - edgeTop_);
  const double same = std::min(std::abs(scaleX_), std::abs(scaleY_));
  if (!round_ || !(same > 0 && std::isfinite(same))) {
    // A view at the picture's corner keeps the edges exact.
    left_ = view_.left ? edgeLeft_ - view_.left / scaleX_ : edgeLeft_;
    top_ = view_.top ? edgeTop_ - view_.top / scaleY_ : edgeTop_;
    return;
  }
  // The middle of the edges stays in the middle of the view.
  scaleX_ = std::copysign(same, scaleX_);
  scaleY_ = std::copysign(same, scaleY_);
  left_ = (edgeLeft_ + edgeRight_) / 2 - (view_.left + viewWidth / 2) / scaleX_;
  top_ = (edgeTop_ + edgeBottom_) / 2 - (view_.top + viewHeight / 2) / scaleY_;
}

void Canvas::Point(float x, float y, std::int32_t color) { DrawPoint(x, y, ToPixel(color), false); }
void Canvas::Line(float x, float y, float dx, float dy, std::int32_t color) {
  DrawLine(x, y, dx, dy, ToPixel(color), false);
}
void Canvas::HeldPoint(float x, float y, std::int32_t color) { DrawPoint(x, y, ToPixel(color), true); }
void Canvas::HeldLine(float x, float y, float dx, float dy, std::int32_t color) {
  DrawLine(x, y, dx, dy, ToPixel(color), true);
}

void Canvas::ShowHeld() {
  for (const std::size_t at : heldAt_) {
    pixels_[at] = held_[at] & ~kHeldMark;
    held_[at] = 0;
    dirty_.Mark(static_cast<int>(at % width_), static_cast<int>(at / width_));
  }
  heldAt_.clear();
}

void Canvas::DropHeld() {
  for (const std::size_t at : heldAt_) held_[at] = 0;
  heldAt_.clear();
}

void Canvas::DrawPoint(float x, float y, std::uint32_t pixel, bool held) {
  const double px = std::floor(PixelX(x)), py = std::floor(PixelY(y));
  if (!(px >= 0 && px < width_ && py >= 0 && py < height_)) return;  // also NaN
  Plot(static_cast<int>(px), static_cast<int>(py), pixel, held);
}

void Canvas::DrawLine(float x, float y, float dx, float dy, std::uint32_t pixel, bool held) {
  double x0 = PixelX(x), y0 = PixelY(y);
  double x1 = PixelX(static_cast<double>(x) + dx), y1 = PixelY(static_cast<double>(y) + dy);
  // Ends so far apart that their distance is beyond a double cannot be placed
  // to a pixel; such a line is left out rather than guessed.
  if (!std::isfinite(x1 - x0) || !std::isfinite(y1 - y0)) return;
  if (!ClipSegment(x0, y0, x1, y1, 0, 0, width_ - 1e-9, height_ - 1e-9)) return;
  if (!(x0 >= 0 && y0 >= 0 && x1 >= 0 && y1 >= 0 && x0 < width_ && x1 < width_ && y0 < height_ && y1 < height_))
    return;
  int ax = static_cast<int>(std::floor(x0)), ay = static_cast<int>(std::floor(y0));
  const int bx = static_cast<int>(std::floor(x1)), by = static_cast<int>(std::floor(y1));
  // Bresenham between the two pixel cells.
  const int stepX = ax < bx ? 1 : -1, stepY = ay < by ? 1 : -1;
  const int spanX = std::abs(bx - ax), spanY = -std::abs(by - ay);
  int error = spanX + spanY;
  for (;;) {
    Plot(ax, ay, pixel, held);
    if (ax == bx && ay == by) break;
    const int twice = 2 * error;
    if (twice >= spanY) { error += spanY; ax += stepX; }
    if (twice <= spanX) { error += spanX; ay += stepY; }
  }
}

void Canvas::Plot(int x, int y, std::uint32_t pixel, bool held) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const std::size_t at = static_cast<size_t>(y) * width_ + x;
  if (!held) {
    pixels_[at] = pixel;
    dirty_.Mark(x, y);
    return;
  }
  if (held_.empty()) held_.assign(pixels_.size(), 0);
  if (!held_[at]) heldAt_.push_back(at);
  held_[at] = pixel | kHeldMark;
}

std::vector<PixelRect> Canvas::TakeDirtyAreas() { return dirty_.Take(); }

PixelRect Canvas::TakeDirty() {
  const std::vector<PixelRect> areas = TakeDirtyAreas();
  if (areas.empty()) return {};
  PixelRect all = areas.front();
  for (const PixelRect& r : areas)
    all = {std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
           std::max(all.bottom, r.bottom)};
  return all;
}

}  // namespace zelor
