#include "tools/vrxtool/output_file.h"

#include "platform/atomic_file.h"
#include "platform/utf8_path.h"

namespace vrxtool {

bool WriteOutputFile(const std::string& path, std::string_view contents) {
  if (path == kStandardOutputName) return vrx::WriteStandardOutput(contents);
  return vrx::ReplaceFileContents(vrx::PathFromUtf8(path), contents);
}

}  // namespace vrxtool
