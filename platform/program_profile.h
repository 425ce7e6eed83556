// The one place a program's profile comes from: the registry key
// HKEY_CURRENT_USER\Software\Zentrolith\<program> on Windows, the file
// ProfilePath(<program>) elsewhere.  Both GUIs and vrxtool use it.
#pragma once

#include <memory>
#include <string_view>

#include "platform/profile.h"
#include "platform/settings_file.h"

namespace vrx {

// A profile file that cannot be used goes to `report` (Windows' registry
// has no such file).
std::unique_ptr<ProfileStore> OpenProgramProfile(std::string_view programName,
                                                 const SettingsProblemSink& report);

}  // namespace vrx
