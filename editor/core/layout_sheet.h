// The printable layout sheet: one page with the key matrix and each
// assigned key's codes and name, the option flags in words, the speed, the
// initial levels of PO4..PO7 and the eight characters enlarged.  Laid out
// here in points as plain shapes and texts; layout_sheet_render.h draws them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/config_image.h"

namespace vrx::editor {

enum class Shade { kNone, kAssignedKey, kMatrixBlock, kDotOn, kDotOff };

struct SheetBox {
  double x, y, width, height;
  Shade fill;
  bool outline;
};

struct SheetText {
  double x, y;          // the baseline's start, or its middle when `centred`
  double size;          // points
  std::string text;     // UTF-8
  double maxWidth = 0;  // shrunk to fit when wider; 0: no limit
  bool centred = false;
};

struct LayoutSheet {
  double width = 0;
  double height = 0;
  std::vector<SheetBox> boxes;
  std::vector<SheetText> texts;
};

// A4 landscape.  `fileTitle` names the data file in the heading ("" for
// none).
LayoutSheet LayOutSheet(const ConfigImage& config, std::string_view fileTitle);

// The width of `utf8` set at `size` points in the sheet's font, from the
// font's own advances (a little more for glyphs it does not list), so that
// a text laid out to fit does fit in every format.
double TextWidth(std::string_view utf8, double size);

// A code text in a cell `width` points wide: at `size` if it fits, else as
// small as needed down to the smallest size that still reads on paper, and
// below that cut after its last whole byte that fits, with "…".
struct FittedText {
  std::string text;
  double size;
};
inline constexpr double kSmallestCodeSize = 3.5;
FittedText FitCodeText(std::string text, double size, double width);

}  // namespace vrx::editor
