// Where the running program lives and what it is called.
#pragma once

#include <filesystem>
#include <string>

namespace vrx {

// Full path of the running executable ("" if the platform cannot tell).
std::filesystem::path OwnExecutablePath();

// Base name of the running executable without extension ("VRXWriter"); the
// caption of message boxes and the name of the program's profile.
std::string ProgramName();

}  // namespace vrx
