// Starting VRXWriter on a saved data file, from the editor's 書込み.
#pragma once

#include <string>

class wxWindow;

namespace vrx::editor {

// Starts the writer beside the editor's own executable as a separate
// process with `dataFilePath` (may be empty) as its one argument, and does not
// wait for it.  On failure shows "「VRXWriter.exe」が起動できませんでした。".
void StartWriter(wxWindow* parent, const std::string& dataFilePath);

}  // namespace vrx::editor
