#include <algorithm>
#include <cctype>
#include <string>

#include "editor/core/layout_sheet_render.h"

namespace vrx::editor {

std::optional<SheetFormat> SheetFormatForPath(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".svg") return SheetFormat::kSvg;
  if (extension == ".png") return SheetFormat::kPng;
  if (extension == ".pdf") return SheetFormat::kPdf;
  return std::nullopt;
}

}  // namespace vrx::editor
