// A whole regular file read into memory (import inputs, flash images).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vrx {

// Nothing when the path cannot be opened or is not a regular file.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

}  // namespace vrx
