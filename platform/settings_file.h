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

// Where a reader tells of a file it could not use.  Each program passes its
// own (the programs word and print it); an empty one hears nothing.
using SettingsProblemSink =
    std::function<void(const std::filesystem::path& file, FileReadResult problem)>;

// The file's text; "" when there is no such file.  Nothing when a file is
// there but cannot be used (not a regular file, over 1 MB, unreadable); the
// problem has then gone to `report`.
std::optional<std::string> ReadSettingsFile(const std::filesystem::path& file,
                                            const SettingsProblemSink& report);

// Passes each file and problem on to `sink` once, since the GUIs read the
// port map and the profile again whenever they show a port.  The memory of
// what was passed on is the returned sink's own.
SettingsProblemSink OncePerFile(SettingsProblemSink sink);

}  // namespace vrx
