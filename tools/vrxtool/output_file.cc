#include "tools/vrxtool/output_file.h"

#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/atomic_file.h"
#include "platform/utf8_path.h"
#include "resources/readback_texts.h"
#include "resources/tool_messages.h"
#include "tools/vrxtool/command.h"

namespace vrxtool {

bool WriteOutputFile(const std::string& path, std::string_view contents) {
  if (path == kStandardOutputName) return vrx::WriteStandardOutput(contents);
  const std::filesystem::path file = vrx::PathFromUtf8(path);
  if (!vrx::MayReplaceFile(file))
    throw CommandFailure(path + ": " + std::string(vrx::tool_msg::FileNotWritable()));
  return vrx::ReplaceFileContents(file, contents);
}

std::string OutputProblem(const std::string& path) {
  namespace fs = std::filesystem;
  if (path == kStandardOutputName) return {};
  std::error_code ec;
  const fs::path given = vrx::PathFromUtf8(path);
  const fs::file_status status = fs::status(given, ec);  // through links
  if (fs::is_directory(status)) return vrx::readback_text::OutputIsFolder(path);
  if (fs::exists(status) && !fs::is_regular_file(status)) return {};
  if (fs::exists(status) && !vrx::MayReplaceFile(given))
    return path + ": " + std::string(vrx::tool_msg::FileNotWritable());
  // A link is saved through: what counts is the folder of the file it names.
  const fs::path folder = fs::weakly_canonical(fs::absolute(given, ec), ec).parent_path();
  if (!fs::is_directory(folder, ec)) return vrx::readback_text::OutputFolderMissing(path);
  // The save makes a temporary file beside the target: try making one.
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path probe = folder / vrx::PathFromUtf8("." + vrx::Utf8FromPath(given.filename()) +
                                                    "." + std::to_string(stamp));
  const bool created = std::ofstream(probe, std::ios::binary).is_open();
  fs::remove(probe, ec);
  return created ? std::string() : vrx::readback_text::OutputFolderNotWritable(path);
}

}  // namespace vrxtool
