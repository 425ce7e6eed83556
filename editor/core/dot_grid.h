// Where the CGRAM page's dots are: each character's grid of 16 x 16-pixel
// dots at the top-left of its cell, and which dots a mouse drag passes.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "editor/core/character_tools.h"

namespace vrx::editor {

struct PixelPoint {
  int x = 0;
  int y = 0;
};

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Contains(PixelPoint point) const {
    return point.x >= x && point.y >= y && point.x < x + width && point.y < y + height;
  }
};

struct DotPlace {
  int character = 0;
  int row = 0;
  int column = 0;
  friend bool operator==(const DotPlace&, const DotPlace&) = default;
};

inline constexpr int kDotPixels = 16;

class DotGrid {
 public:
  explicit DotGrid(const std::array<PixelRect, kCharacterCount>& cells) : cells_(cells) {}

  // The character whose cell holds `point`, or -1.
  int CharacterAt(PixelPoint point) const;
  // The dot under `point`; nullopt outside the cells and in the part of a
  // cell beyond its grid.
  std::optional<DotPlace> DotAt(PixelPoint point) const;
  // The dots a drag from `from` to `to` passes, in order, each once, `from`'s
  // own dot excluded (it was painted by the previous move).
  std::vector<DotPlace> DotsAlong(PixelPoint from, PixelPoint to) const;

 private:
  std::array<PixelRect, kCharacterCount> cells_;
};

}  // namespace vrx::editor
