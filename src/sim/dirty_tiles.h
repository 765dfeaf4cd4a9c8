// Where a picture has been drawn on since the screen last got it, kept as
// tiles of 32 x 32 pixels: marking a pixel costs one store, and the places a
// few bodies draw on far apart stay apart instead of making most of the
// picture count as drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelor {

// Pixels [left, right) x [top, bottom); empty when right <= left.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
};

class DirtyTiles {
 public:
  static constexpr int kTileShift = 5;  // 32 pixels
  // Under Wine a call that copies an area to the screen takes about as long
  // as copying this many pixels more.
  static constexpr long long kPixelsPerArea = 256 * 256;
  static constexpr std::size_t kMostAreas = 32;

  // A picture of this size, all of it counting as drawn.
  void Resize(int width, int height);
  // (x, y) lies on the picture.
  void Mark(int x, int y) {
    tiles_[static_cast<std::size_t>(y >> kTileShift) * columns_ + static_cast<std::size_t>(x >> kTileShift)] =
        Tile::Drawn;
  }
  // The areas drawn on, tile rows joined into rectangles, and forgets them.
  // When there are more than kMostAreas, the same of cells of 2, 4, 8 ...
  // tiles each way until there are few enough; when one by one they cost
  // more than the one area around them all, that area alone.
  std::vector<PixelRect> Take();

 private:
  // Not a char type: a store through a char may change any object, and the
  // drawing code would read its own fields again after every pixel.
  enum class Tile : std::uint8_t { Clean, Drawn };

  // The runs of drawn cells of 2^shift tiles each way, joined down.
  std::vector<PixelRect> Runs(int shift) const;

  int width_ = 0, height_ = 0;
  std::size_t columns_ = 0, rows_ = 0;
  std::vector<Tile> tiles_;
};

}  // namespace zelor
