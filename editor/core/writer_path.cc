#include "writer_path.h"

#include <algorithm>
#include <cctype>

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
  const std::string name = editorPath.filename().string();
  const std::string lowerName = Lower(name);
  const bool hasExe = lowerName.ends_with(".exe");
  if (lowerName != "vrxeditor" && lowerName != "vrxeditor.exe") return editorPath;
  const std::string stem = hasExe ? name.substr(0, name.size() - 4) : name;
  const std::string extension = hasExe ? name.substr(name.size() - 4) : std::string();
  return editorPath.parent_path() / (WriterStemLike(stem) + extension);
}

std::vector<std::string> WriterArguments(const std::filesystem::path& editorPath,
                                         const std::string& dataFilePath) {
  return {WriterPathFor(editorPath).string(), dataFilePath};
}

}  // namespace vrx::editor
