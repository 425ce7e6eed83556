// The printable layout sheet: one page with the key matrix and each
// assigned key's codes and name, the option flags in words, the speed, the
// initial levels of PO4..PO7 and the eight characters enlarged.  Laid out
// here in points as plain shapes and texts; layout_sheet_render draws them.
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

}  // namespace vrx::editor
