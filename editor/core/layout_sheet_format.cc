#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "editor/core/layout_sheet_pages.h"
#include "editor/core/layout_sheet_render.h"
#include "platform/atomic_file.h"

namespace vrx::editor {

std::string_view SheetFormatExtension(SheetFormat format) {
  switch (format) {
    case SheetFormat::kSvg:
      return "svg";
    case SheetFormat::kPng:
      return "png";
    case SheetFormat::kPdf:
      return "pdf";
  }
  return {};
}

std::span<const SheetFormat> WritableSheetFormats() {
  static const std::vector<SheetFormat> formats = [] {
    std::vector<SheetFormat> all{SheetFormat::kSvg};
    all.insert(all.end(), PageFormats().begin(), PageFormats().end());
    return all;
  }();
  return formats;
}

std::optional<std::string> DrawLayoutSheet(const LayoutSheet& sheet, SheetFormat format) {
  if (format == SheetFormat::kSvg) return SheetSvg(sheet);
  return DrawSheetPages(sheet, format);
}

bool IsWritableSheetFormat(SheetFormat format) {
  return std::ranges::find(WritableSheetFormats(), format) != WritableSheetFormats().end();
}

bool RenderLayoutSheet(const LayoutSheet& sheet, SheetFormat format,
                       const std::filesystem::path& path) {
  const std::optional<std::string> drawn = DrawLayoutSheet(sheet, format);
  return drawn && ReplaceFileContents(path, *drawn);
}

std::optional<SheetFormat> SheetFormatForPath(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const SheetFormat format : {SheetFormat::kSvg, SheetFormat::kPng, SheetFormat::kPdf})
    if (extension == "." + std::string(SheetFormatExtension(format))) return format;
  return std::nullopt;
}

}  // namespace vrx::editor
