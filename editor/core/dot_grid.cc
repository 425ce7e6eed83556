#include "editor/core/dot_grid.h"

#include <algorithm>
#include <cstdlib>

namespace vrx::editor {

int DotGrid::CharacterAt(PixelPoint point) const {
  for (int character = 0; character < kCharacterCount; ++character)
    if (cells_[static_cast<std::size_t>(character)].Contains(point)) return character;
  return -1;
}

std::optional<DotPlace> DotGrid::DotAt(PixelPoint point) const {
  const int character = CharacterAt(point);
  if (character < 0) return std::nullopt;
  const PixelRect& cell = cells_[static_cast<std::size_t>(character)];
  const int row = (point.y - cell.y) / kDotPixels;
  const int column = (point.x - cell.x) / kDotPixels;
  if (row >= kCharacterRows || column >= kCharacterColumns) return std::nullopt;
  return DotPlace{character, row, column};
}

std::vector<DotPlace> DotGrid::DotsAlong(PixelPoint from, PixelPoint to) const {
  // One sample per pixel of the longer axis: no dot of 16 pixels is skipped.
  const int steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
  std::vector<DotPlace> dots;
  std::optional<DotPlace> previous = DotAt(from);
  for (int step = 1; step <= steps; ++step) {
    const PixelPoint sample{from.x + (to.x - from.x) * step / steps,
                            from.y + (to.y - from.y) * step / steps};
    const std::optional<DotPlace> dot = DotAt(sample);
    if (dot && dot != previous && std::find(dots.begin(), dots.end(), *dot) == dots.end())
      dots.push_back(*dot);
    previous = dot;
  }
  return dots;
}

}  // namespace vrx::editor
