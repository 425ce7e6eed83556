// Where the editor's 書込み finds VRXWriter: beside the editor's own
// executable, under the writer's name spelt like the editor's.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vrx::editor {

// The writer's path for an editor at `editorPath`: the editor's file name
// ("VRXEditor", any case, with or without ".exe") replaced by the writer's.
// An editor under any other name gets its own path back.
std::filesystem::path WriterPathFor(const std::filesystem::path& editorPath);

// The rule of the Windows programs: the whole path upper-cased, then every
// "VRXEDITOR.EXE" in it replaced by "VRXWRITER.EXE" (file names there are
// not case-sensitive).  Letters outside ASCII keep their case.
std::filesystem::path WriterPathForWindows(const std::filesystem::path& editorPath);

// The rule of the platform the editor runs on: WriterPathForWindows on
// Windows, WriterPathFor (which keeps a case-sensitive name) elsewhere.
std::filesystem::path PlatformWriterPath(const std::filesystem::path& editorPath);

// The writer's argument vector: its path by the platform's rule, then the
// data file path as one argument (an empty one when nothing was saved).
std::vector<std::string> WriterArguments(const std::filesystem::path& editorPath,
                                         const std::string& dataFilePath);

}  // namespace vrx::editor
