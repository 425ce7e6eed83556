// Texts about files other than data files that a program could not use,
// shown after the file's path ("<path>: not a regular file; ignored").
#pragma once

#include <string>
#include <string_view>

#include "platform/regular_file.h"

namespace vrx::file_msg {

std::string_view NotRegularFile();
std::string_view SettingsFileTooLarge();
std::string_view FileUnreadable();
// Added after the reason for a settings file the program goes on without.
std::string_view Ignored();

// "<file>: not a regular file; ignored" and the like; `file` in UTF-8.
std::string SettingsProblemText(std::string_view file, FileReadResult problem);

}  // namespace vrx::file_msg
