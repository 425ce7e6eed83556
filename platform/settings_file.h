// The small settings files the programs read besides their data files: the
// port map and the program profiles.  One careful reader for all of them, so
// that a FIFO, a device or a huge file named there neither hangs a program
// nor fills its memory.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/regular_file.h"

namespace vrx {

inline constexpr std::size_t kSettingsFileLimit = 1024 * 1024;

// The file's text; "" when there is no such file.  Nothing when a file is
// there but cannot be used (not a regular file, over 1 MB, unreadable); the
// problem has then gone to the problem sink.
std::optional<std::string> ReadSettingsFile(const std::filesystem::path& file);

// "<file>: not a regular file; ignored" and the like.
std::string SettingsProblemText(const std::filesystem::path& file, FileReadResult problem);

// Where problems go.  The default writes SettingsProblemText to stderr, once
// per file and problem, since the GUIs read the port map again whenever
// they show a port.  An empty function restores the default.
using SettingsProblemSink =
    std::function<void(const std::filesystem::path& file, FileReadResult problem)>;
void SetSettingsProblemSink(SettingsProblemSink sink);

}  // namespace vrx
