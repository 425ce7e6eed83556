// Draws a layout sheet to an SVG, PNG or PDF file, the format chosen by the
// file's extension.  SVG is written by the project itself everywhere; PNG
// and PDF need cairo, which the Windows build lacks.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "editor/core/layout_sheet.h"

namespace vrx::editor {

enum class SheetFormat { kSvg, kPng, kPdf };

// By the extension, ignoring case; nullopt for any other.
std::optional<SheetFormat> SheetFormatForPath(const std::filesystem::path& path);

// "svg", "png" or "pdf".
std::string_view SheetFormatExtension(SheetFormat format);

// What this build can write, in the order a file dialog offers them; the
// last is the one it proposes.
std::span<const SheetFormat> WritableSheetFormats();
bool IsWritableSheetFormat(SheetFormat format);

// The file's bytes; nothing when the format cannot be drawn or drawing
// failed.
std::optional<std::string> DrawLayoutSheet(const LayoutSheet& sheet, SheetFormat format);

// Draws and saves the way every output is saved (ReplaceFileContents): the
// old file stays unless the new one is complete.  False when either fails.
bool RenderLayoutSheet(const LayoutSheet& sheet, SheetFormat format,
                       const std::filesystem::path& path);

}  // namespace vrx::editor
