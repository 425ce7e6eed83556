// Where the running program lives and what it is called.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vrx {

// Full path of the running executable ("" if the platform cannot tell).
std::filesystem::path OwnExecutablePath();

// A program installed in the same folder as the running one, by its base
// name ("VRXWriter"): the executable file name the platform gives it.
std::filesystem::path SiblingProgramPath(std::string_view programName);

// Base name of the running executable without extension ("VRXWriter"); the
// caption of message boxes and the name of the program's profile.
std::string ProgramName();

}  // namespace vrx
