#include "config/settings_problems.h"

#include <cstdio>

#include "platform/utf8_path.h"
#include "resources/file_messages.h"

namespace vrx {

SettingsProblemSink PrintSettingsProblems() {
  return OncePerFile([](const std::filesystem::path& file, FileReadResult problem) {
    std::fprintf(stderr, "%s\n",
                 file_msg::SettingsProblemText(Utf8FromPath(file), problem).c_str());
  });
}

}  // namespace vrx
