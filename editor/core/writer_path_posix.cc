#include "editor/core/writer_path.h"

namespace vrx::editor {

// File names are case-sensitive here: the writer is found under the
// editor's own spelling.
std::filesystem::path PlatformWriterPath(const std::filesystem::path& editorPath) {
  return WriterPathFor(editorPath);
}

}  // namespace vrx::editor
