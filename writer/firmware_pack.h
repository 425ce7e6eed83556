// The packaging step after linking: enciphers the firmware image and appends
// it, with its trailer, to the writer's executable.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "firmware_container.h"

namespace vrx {

// What this packer writes into the trailer's reserved byte ('V'), so that a
// later run recognises its own payload and replaces it instead of stacking a
// second one on top.  The reader ignores the byte.
inline constexpr uint8_t kPackMarker = 0x56;

inline constexpr int kPackOk = 0;
inline constexpr int kPackFirmwareTooLarge = 1;
inline constexpr int kPackFirmwareUnreadable = 2;
inline constexpr int kPackExecutableUnreadable = 3;
inline constexpr int kPackExecutableUnwritable = 4;
inline constexpr int kPackBadKey = 5;

// A one-line English description of a pack result, for the tools' stderr.
std::string_view PackErrorText(int result);
// The same after the path of the file it is about: the firmware image for
// the firmware's failures, else the executable.
std::string PackErrorMessage(int result, const std::filesystem::path& firmwareFile,
                             const std::filesystem::path& executable);

// Sixteen hexadecimal digits -> key; nothing for any other text.
std::optional<DesKey> ParseDesKey(std::string_view hex);

// Payload and trailer for `firmware` (at most 0x8000 bytes): the image padded
// with 0xFF to a whole number of blocks, enciphered block by block, then key,
// marker and the big-endian padded length.
std::vector<uint8_t> BuildContainer(std::span<const uint8_t> firmware, const DesKey& key);

// Length of `file` without a container this packer appended earlier (the
// whole length when there is none).
std::size_t ExecutableImageSize(std::span<const uint8_t> file);

// Appends the container for `firmware` to `executable`, replacing one packed
// earlier.  The file is replaced as a whole (temporary file and rename), so
// on any error, and for a firmware above 0x8000 bytes, it is left as it was.
int PackFirmware(std::span<const uint8_t> firmware, const std::filesystem::path& executable,
                 const DesKey& key);

// The command-line tools' entry: reads the firmware file, parses the key and
// packs.
int PackFirmwareFile(const std::filesystem::path& firmwareFile,
                     const std::filesystem::path& executable, std::string_view keyHex);

}  // namespace vrx
