#include "data_file_io.h"

#include <cstdio>

#include "atomic_file.h"
#include "command.h"
#include "data_file.h"
#include "message_table.h"
#include "whole_file.h"

namespace vrxtool {

vrx::ConfigImage LoadDataFile(const std::string& path) {
  vrx::ConfigImage image;
  if (const int message = vrx::ReadDataFile(path, image); message != 0)
    throw CommandFailure(vrx::EditorMessage(message));
  return image;
}

void SaveDataFile(const std::string& path, const vrx::ConfigImage& image) {
  if (!vrx::WriteDataFile(path, image))
    throw CommandFailure(vrx::EditorMessage(vrx::editor_msg::kFileOpenFailed));
}

std::string ReadWholeFile(const std::string& path) {
  const std::optional<std::string> contents = vrx::ReadWholeFile(path);
  if (!contents)
    throw CommandFailure(path + ": " + std::string(vrx::EditorMessage(vrx::editor_msg::kFileOpenFailed)));
  return *contents;
}

void WriteWholeFile(const std::string& path, std::string_view contents) {
  if (path == "-") {
    if (std::fwrite(contents.data(), 1, contents.size(), stdout) != contents.size() ||
        std::fflush(stdout) != 0)
      throw CommandFailure("-: " + std::string(vrx::EditorMessage(vrx::editor_msg::kFileOpenFailed)));
    return;
  }
  if (!vrx::ReplaceFileContents(path, contents))
    throw CommandFailure(path + ": " + std::string(vrx::EditorMessage(vrx::editor_msg::kFileOpenFailed)));
}

}  // namespace vrxtool
