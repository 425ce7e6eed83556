// The backend that draws a layout sheet as PNG or PDF pages: cairo on Linux
// (layout_sheet_cairo.cc), none where cairo is missing
// (layout_sheet_no_pages.cc).  SVG is written by layout_sheet_svg.cc on
// every platform, as real text.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "editor/core/layout_sheet.h"
#include "editor/core/layout_sheet_render.h"

namespace vrx::editor {

// The formats the backend draws, in the order a file dialog offers them.
std::span<const SheetFormat> PageFormats();
// The file's bytes; nothing when the format is not drawn or drawing failed.
std::optional<std::string> DrawSheetPages(const LayoutSheet& sheet, SheetFormat format);

// The sheet as SVG with its texts as text elements.
std::string SheetSvg(const LayoutSheet& sheet);

}  // namespace vrx::editor
