#include "sim/dirty_tiles.h"

#include <algorithm>

namespace zelor {
namespace {

long long Size(const PixelRect& r) { return static_cast<long long>(r.right - r.left) * (r.bottom - r.top); }

}  // namespace

void DirtyTiles::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  const int tile = 1 << kTileShift;
  columns_ = static_cast<std::size_t>((width_ + tile - 1) >> kTileShift);
  rows_ = static_cast<std::size_t>((height_ + tile - 1) >> kTileShift);
  tiles_.assign(columns_ * rows_, Tile::Drawn);
}

std::vector<PixelRect> DirtyTiles::Take() {
  const int tile = 1 << kTileShift;
  std::vector<PixelRect> areas;
  for (std::size_t row = 0; row < rows_; ++row) {
    Tile* line = tiles_.data() + row * columns_;
    for (std::size_t column = 0; column < columns_;) {
      if (line[column] == Tile::Clean) {
        ++column;
        continue;
      }
      const std::size_t start = column;
      while (column < columns_ && line[column] == Tile::Drawn) line[column++] = Tile::Clean;
      const PixelRect run{static_cast<int>(start) * tile, static_cast<int>(row) * tile,
                          std::min(static_cast<int>(column) * tile, width_),
                          std::min(static_cast<int>(row + 1) * tile, height_)};
      // The same columns in the row above grow down rather than start anew.
      const auto above = std::find_if(areas.begin(), areas.end(), [&](const PixelRect& a) {
        return a.left == run.left && a.right == run.right && a.bottom == run.top;
      });
      if (above != areas.end())
        above->bottom = run.bottom;
      else
        areas.push_back(run);
    }
  }
  if (areas.size() <= 1) return areas;
  PixelRect all = areas.front();
  long long separately = 0;
  for (const PixelRect& a : areas) {
    all = {std::min(all.left, a.left), std::min(all.top, a.top), std::max(all.right, a.right),
           std::max(all.bottom, a.bottom)};
    separately += Size(a) + kPixelsPerArea;
  }
  if (areas.size() > kMostAreas || separately >= Size(all)) areas.assign(1, all);
  return areas;
}

}  // namespace zelor
