#include "editor/core/writer_path.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/utf8_path.h"

namespace vrx::editor {
namespace {

std::string Lower(std::string text) {
  std::ranges::transform(text, text.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool AllOf(const std::string& text, int (*test)(int)) {
  return std::ranges::all_of(text, [test](unsigned char c) { return !std::isalpha(c) || test(c); });
}

// The writer's name spelt like the editor's: an installer that lower-cases
// both names keeps them a pair.
std::string WriterStemLike(const std::string& editorStem) {
  if (AllOf(editorStem, std::islower)) return "vrxwriter";
  if (AllOf(editorStem, std::isupper)) return "VRXWRITER";
  return "VRXWriter";
}

}  // namespace

std::filesystem::path WriterPathFor(const std::filesystem::path& editorPath) {
  const std::string name = Utf8FromPath(editorPath.filename());
  const std::string lowerName = Lower(name);
  const bool hasExe = lowerName.ends_with(".exe");
  if (lowerName != "vrxeditor" && lowerName != "vrxeditor.exe") return editorPath;
  const std::string stem = hasExe ? name.substr(0, name.size() - 4) : name;
  const std::string extension = hasExe ? name.substr(name.size() - 4) : std::string();
  return editorPath.parent_path() / PathFromUtf8(WriterStemLike(stem) + extension);
}

std::filesystem::path WriterPathForWindows(const std::filesystem::path& editorPath) {
  std::string path = Utf8FromPath(editorPath);
  std::ranges::transform(path, path.begin(),
                         [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  static constexpr std::string_view kEditor = "VRXEDITOR.EXE";
  static constexpr std::string_view kWriter = "VRXWRITER.EXE";
  for (std::size_t at = path.find(kEditor); at != std::string::npos;
       at = path.find(kEditor, at + kWriter.size()))
    path.replace(at, kEditor.size(), kWriter);
  return PathFromUtf8(path);
}

std::vector<std::string> WriterArguments(const std::filesystem::path& editorPath,
                                         const std::string& dataFilePath) {
  return {Utf8FromPath(PlatformWriterPath(editorPath)), dataFilePath};
}

}  // namespace vrx::editor
