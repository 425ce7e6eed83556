// The flash image a Write programs, built as the writer builds it: the
// firmware from the payload container with the data file laid over it.
#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <string>

#include "config/flash_image.h"

namespace vrxtool {

// `container` as given, or VRXWriter beside vrxtool (where an installed
// vrxtool finds the writer's payload).
std::filesystem::path ContainerOrDefault(const std::string& container);

// The --container option of the commands that build the flash image.
void AddContainerOption(CLI::App& sub, std::string& container);

// Throws CommandFailure with the programs' own message for what failed.
vrx::FlashImage BuildFlashImage(const std::string& dataFile, const std::string& container);

// Writes the 32768 bytes to `path` ("-": standard output; a file is replaced
// only when complete); throws CommandFailure when it cannot.
void WriteFlashFile(const std::string& path, const vrx::FlashImage& image);

}  // namespace vrxtool
