// Draws a layout sheet to an SVG, PNG or PDF file with cairo, the format
// chosen by the file's extension.
#pragma once

#include <filesystem>
#include <optional>

#include "editor/core/layout_sheet.h"

namespace vrx::editor {

enum class SheetFormat { kSvg, kPng, kPdf };

// By the extension, ignoring case; nullopt for any other.
std::optional<SheetFormat> SheetFormatForPath(const std::filesystem::path& path);

// False when the file could not be written.
bool RenderLayoutSheet(const LayoutSheet& sheet, SheetFormat format,
                       const std::filesystem::path& path);

}  // namespace vrx::editor
