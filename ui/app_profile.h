// The running program's profile for its windows: the one ProfileStore of
// platform/program_profile.h, opened once.  wx's own wxConfig is not used.
#pragma once

#include <string_view>

#include "platform/profile.h"

namespace vrx::ui {

// Opened on first use for ProgramName().
ProfileStore& AppProfile();

// Opens the profile of `programName` instead (tests, and a program whose
// executable was renamed, keep the profile they mean).
void UseAppProfile(std::string_view programName);

}  // namespace vrx::ui
