#include "tools/vrxtool/output_file.h"

#include "platform/atomic_file.h"

namespace vrxtool {

bool WriteOutputFile(const std::string& path, std::string_view contents) {
  if (path == kStandardOutputName) return vrx::WriteStandardOutput(contents);
  return vrx::ReplaceFileContents(path, contents);
}

}  // namespace vrxtool
