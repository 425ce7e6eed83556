// The one place a program's profile comes from: the registry key
// HKEY_CURRENT_USER\Software\Zentrolith\<program> on Windows, the file
// ProfilePath(<program>) elsewhere.  Both GUIs and vrxtool use it.
#pragma once

#include <memory>
#include <string_view>

#include "platform/profile.h"

namespace vrx {

std::unique_ptr<ProfileStore> OpenProgramProfile(std::string_view programName);

}  // namespace vrx
