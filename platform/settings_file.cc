#include "platform/settings_file.h"

#include <memory>
#include <mutex>
#include <set>
#include <utility>

namespace vrx {

std::optional<std::string> ReadSettingsFile(const std::filesystem::path& file,
                                            const SettingsProblemSink& report) {
  std::string contents;
  const FileReadResult result = ReadRegularFile(file, kSettingsFileLimit, contents);
  if (result == FileReadResult::kRead) return contents;
  if (result == FileReadResult::kMissing) return std::string();
  if (report) report(file, result);
  return std::nullopt;
}

SettingsProblemSink OncePerFile(SettingsProblemSink sink) {
  struct Passed {
    std::mutex mutex;
    std::set<std::pair<std::filesystem::path, FileReadResult>> seen;
  };
  return [sink = std::move(sink), passed = std::make_shared<Passed>()](
             const std::filesystem::path& file, FileReadResult problem) {
    {
      std::lock_guard lock(passed->mutex);
      if (!passed->seen.emplace(file, problem).second) return;
    }
    if (sink) sink(file, problem);
  };
}

}  // namespace vrx
