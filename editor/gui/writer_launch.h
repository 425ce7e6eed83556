// Starting VRXWriter on a saved data file, from the editor's 書込み (the
// writer's path and arguments: writer_path.h).
#pragma once

#include <filesystem>
#include <string>

#include "editor/core/writer_path.h"

class wxWindow;

namespace vrx::editor {

// Starts the writer beside the editor's own executable as a separate
// process with `dataFilePath` (may be empty) as its one argument, and does not
// wait for it.  On failure shows "「VRXWriter.exe」が起動できませんでした。".
void StartWriter(wxWindow* parent, const std::string& dataFilePath);

// The same for an editor at `editorPath` (StartWriter passes its own path).
void StartWriterFrom(wxWindow* parent, const std::filesystem::path& editorPath,
                     const std::string& dataFilePath);

}  // namespace vrx::editor
