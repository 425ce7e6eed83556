#include "editor/core/writer_path.h"

namespace vrx::editor {

std::filesystem::path PlatformWriterPath(const std::filesystem::path& editorPath) {
  return WriterPathForWindows(editorPath);
}

}  // namespace vrx::editor
