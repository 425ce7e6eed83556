#include "resources/file_messages.h"

namespace vrx::file_msg {

std::string_view NotRegularFile() { return "not a regular file"; }
std::string_view SettingsFileTooLarge() { return "larger than 1 MB"; }
std::string_view FileUnreadable() { return "cannot be read"; }
std::string_view Ignored() { return "ignored"; }

std::string SettingsProblemText(std::string_view file, FileReadResult problem) {
  std::string_view reason = FileUnreadable();
  if (problem == FileReadResult::kNotRegular) reason = NotRegularFile();
  if (problem == FileReadResult::kTooLarge) reason = SettingsFileTooLarge();
  return std::string(file) + ": " + std::string(reason) + "; " + std::string(Ignored());
}

}  // namespace vrx::file_msg
