// Texts about files other than data files that a program could not use,
// shown after the file's path ("<path>: not a regular file; ignored").
#pragma once

#include <string_view>

namespace vrx::file_msg {

std::string_view NotRegularFile();
std::string_view SettingsFileTooLarge();
std::string_view FileUnreadable();
// Added after the reason for a settings file the program goes on without.
std::string_view Ignored();

}  // namespace vrx::file_msg
