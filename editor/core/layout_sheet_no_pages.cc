// Builds without cairo (the Windows one) write the layout sheet as SVG only.
#include "editor/core/layout_sheet_pages.h"

namespace vrx::editor {

std::span<const SheetFormat> PageFormats() { return {}; }

std::optional<std::string> DrawSheetPages(const LayoutSheet&, SheetFormat) { return std::nullopt; }

}  // namespace vrx::editor
