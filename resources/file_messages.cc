#include "resources/file_messages.h"

namespace vrx::file_msg {

std::string_view NotRegularFile() { return "not a regular file"; }
std::string_view SettingsFileTooLarge() { return "larger than 1 MB"; }
std::string_view FileUnreadable() { return "cannot be read"; }
std::string_view Ignored() { return "ignored"; }

}  // namespace vrx::file_msg
