// Starting VRXWriter on a saved data file, from the editor's 書込み.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class wxWindow;

namespace vrx::editor {

// Starts the writer beside the editor's own executable as a separate
// process with `dataFilePath` (may be empty) as its one argument, and does not
// wait for it.  On failure shows "「VRXWriter.exe」が起動できませんでした。".
void StartWriter(wxWindow* parent, const std::string& dataFilePath);

// The same for an editor at `editorPath` (StartWriter passes its own path).
void StartWriterFrom(wxWindow* parent, const std::filesystem::path& editorPath,
                     const std::string& dataFilePath);

// The writer's path for an editor at `editorPath`: the editor's file name
// ("VRXEditor", any case, with or without ".exe") replaced by the writer's.
// An editor under any other name gets its own path back.
std::filesystem::path WriterPathFor(const std::filesystem::path& editorPath);

// The writer's argument vector: its path, then the data file path as one
// argument (an empty one when nothing was saved).
std::vector<std::string> WriterArguments(const std::filesystem::path& editorPath,
                                         const std::string& dataFilePath);

}  // namespace vrx::editor
