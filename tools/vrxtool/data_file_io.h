// Files as the commands read and write them, failing with the programs' own
// messages.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "config/config_image.h"

namespace vrxtool {

// A data file read as the editor opens it.
vrx::ConfigImage LoadDataFile(const std::string& path);
// A data file saved as the editor saves it (or to stdout for "-"); the old
// file stays on failure.
void SaveDataFile(const std::string& path, const vrx::ConfigImage& image);

// The whole contents of a regular file of at most `limit` bytes, checked
// before anything is read; nothing for a larger file.  Fails with the
// editor's message for a file that cannot be read.
std::optional<std::string> ReadInputFile(const std::string& path, std::size_t limit);
// Replaces the file's contents, or writes to stdout for "-".
void WriteWholeFile(const std::string& path, std::string_view contents);

}  // namespace vrxtool
