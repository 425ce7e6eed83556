// The backend that draws a layout sheet as PNG or PDF pages: cairo on Linux
// (layout_sheet_cairo.cc), none where cairo is missing
// (layout_sheet_no_pages.cc).  SVG is written by layout_sheet_svg.cc on
// every platform, as real text.
#pragma once

#include <filesystem>
#include <span>

#include "editor/core/layout_sheet.h"
#include "editor/core/layout_sheet_render.h"

namespace vrx::editor {

// The formats the backend draws, in the order a file dialog offers them.
std::span<const SheetFormat> PageFormats();
// False when the file could not be written (or the format is not drawn).
bool DrawSheetPages(const LayoutSheet& sheet, SheetFormat format,
                    const std::filesystem::path& path);

// The sheet as SVG with its texts as text elements.
bool WriteSheetSvg(const LayoutSheet& sheet, const std::filesystem::path& path);

}  // namespace vrx::editor
