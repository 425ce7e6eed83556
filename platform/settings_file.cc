#include "platform/settings_file.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <utility>

#include "platform/utf8_path.h"
#include "resources/file_messages.h"

namespace vrx {
namespace {

std::mutex sinkMutex;
SettingsProblemSink installedSink;

void ReportOncePerFile(const std::filesystem::path& file, FileReadResult problem) {
  static std::set<std::pair<std::string, FileReadResult>> reported;
  if (!reported.emplace(Utf8FromPath(file), problem).second) return;
  std::fprintf(stderr, "%s\n", SettingsProblemText(file, problem).c_str());
}

}  // namespace

std::string SettingsProblemText(const std::filesystem::path& file, FileReadResult problem) {
  std::string_view reason = file_msg::FileUnreadable();
  if (problem == FileReadResult::kNotRegular) reason = file_msg::NotRegularFile();
  if (problem == FileReadResult::kTooLarge) reason = file_msg::SettingsFileTooLarge();
  return Utf8FromPath(file) + ": " + std::string(reason) + "; " + std::string(file_msg::Ignored());
}

void SetSettingsProblemSink(SettingsProblemSink sink) {
  std::lock_guard lock(sinkMutex);
  installedSink = std::move(sink);
}

std::optional<std::string> ReadSettingsFile(const std::filesystem::path& file) {
  std::string contents;
  const FileReadResult result = ReadRegularFile(file, kSettingsFileLimit, contents);
  if (result == FileReadResult::kRead) return contents;
  if (result == FileReadResult::kMissing) return std::string();
  std::lock_guard lock(sinkMutex);
  if (installedSink) {
    installedSink(file, result);
  } else {
    ReportOncePerFile(file, result);
  }
  return std::nullopt;
}

}  // namespace vrx
