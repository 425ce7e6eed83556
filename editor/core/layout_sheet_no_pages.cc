// Builds without cairo (the Windows one) write the layout sheet as SVG only.
#include "editor/core/layout_sheet_pages.h"

namespace vrx::editor {

std::span<const SheetFormat> PageFormats() { return {}; }

bool DrawSheetPages(const LayoutSheet&, SheetFormat, const std::filesystem::path&) { return false; }

}  // namespace vrx::editor
