#include "tools/vrxtool/output_file.h"

#include "platform/atomic_file.h"
#include "platform/utf8_path.h"
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

}  // namespace vrxtool
