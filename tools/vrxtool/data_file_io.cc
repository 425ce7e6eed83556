#include "tools/vrxtool/data_file_io.h"

#include "config/data_file.h"
#include "editor/core/editor_message_map.h"
#include "platform/regular_file.h"
#include "platform/utf8_path.h"
#include "resources/message_table.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/output_file.h"

namespace vrxtool {

namespace {

// A command may read two files (diff): the message names the one it is about.
[[noreturn]] void FailWith(const std::string& path, int message) {
  throw CommandFailure(path + ": " + std::string(vrx::EditorMessage(message)));
}

}  // namespace

vrx::ConfigImage LoadDataFile(const std::string& path) {
  vrx::ConfigImage image;
  if (const vrx::DataFileError error = vrx::ReadDataFile(vrx::PathFromUtf8(path), image);
      error != vrx::DataFileError::kNone)
    FailWith(path, vrx::EditorMessageFor(error));
  return image;
}

void SaveDataFile(const std::string& path, const vrx::ConfigImage& image) {
  if (!WriteOutputFile(path, vrx::DataFileContents(image)))
    FailWith(path, vrx::editor_msg::kFileOpenFailed);
}

std::optional<std::string> ReadInputFile(const std::string& path, std::size_t limit) {
  std::string contents;
  switch (vrx::ReadRegularFile(vrx::PathFromUtf8(path), limit, contents)) {
    case vrx::FileReadResult::kRead:
      return contents;
    case vrx::FileReadResult::kTooLarge:
      return std::nullopt;
    default:
      FailWith(path, vrx::editor_msg::kFileOpenFailed);
  }
}

void WriteWholeFile(const std::string& path, std::string_view contents) {
  if (!WriteOutputFile(path, contents)) FailWith(path, vrx::editor_msg::kFileOpenFailed);
}

}  // namespace vrxtool
