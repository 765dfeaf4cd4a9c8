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

std::vector<PixelRect> DirtyTiles::Runs(int shift) const {
  // A cell of 2^shift tiles each way counts as drawn when any tile in it is.
  const std::size_t columns = (columns_ + (std::size_t{1} << shift) - 1) >> shift;
  const std::size_t rows = (rows_ + (std::size_t{1} << shift) - 1) >> shift;
  std::vector<Tile> cells(columns * rows, Tile::Clean);
  for (std::size_t row = 0; row < rows_; ++row)
    for (std::size_t column = 0; column < columns_; ++column)
      if (tiles_[row * columns_ + column] == Tile::Drawn) cells[(row >> shift) * columns + (column >> shift)] = Tile::Drawn;

  const int cell = 1 << (kTileShift + shift);
  std::vector<PixelRect> areas;
  for (std::size_t row = 0; row < rows; ++row) {
    const Tile* line = cells.data() + row * columns;
    for (std::size_t column = 0; column < columns;) {
      if (line[column] == Tile::Clean) {
        ++column;
        continue;
      }
      const std::size_t start = column;
      while (column < columns && line[column] == Tile::Drawn) ++column;
      const PixelRect run{static_cast<int>(start) * cell, static_cast<int>(row) * cell,
                          std::min(static_cast<int>(column) * cell, width_),
                          std::min(static_cast<int>(row + 1) * cell, height_)};
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
  return areas;
}

std::vector<PixelRect> DirtyTiles::Take() {
  // Too many places for one copy each: coarser cells join the places near
  // each other first, so groups far apart, on monitors side by side, stay
  // apart rather than becoming one area with everything between them.
  std::vector<PixelRect> areas = Runs(0);
  for (int shift = 1; areas.size() > kMostAreas && (std::size_t{1} << (shift - 1)) < std::max(columns_, rows_); ++shift)
    areas = Runs(shift);
  std::fill(tiles_.begin(), tiles_.end(), Tile::Clean);
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
