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

#include "writer/firmware_container.h"

namespace vrx {

// What this packer writes into the trailer's reserved byte ('V'), so that a
// later run recognises its own payload and replaces it instead of stacking a
// second one on top.  The reader ignores the byte.
inline constexpr uint8_t kPackMarker = 0x56;

enum class PackResult {
  kOk = 0,
  kFirmwareTooLarge = 1,
  kFirmwareUnreadable = 2,
  kExecutableUnreadable = 3,
  kExecutableUnwritable = 4,
  kBadKey = 5,
  kExecutableTooLarge = 6,
  kExecutableSigned = 7,  // packing would break the signature: pack first
};

// An executable larger than this is not one the packer is meant for (the
// writer is about 10 MB with its debugging information); it is refused
// before it is read.
inline constexpr std::size_t kPackExecutableLimit = std::size_t{128} << 20;

// A one-line English description of a pack result, for the tools' stderr.
std::string_view PackErrorText(PackResult result);
// The same after the path of the file it is about: the firmware image for
// the firmware's failures, else the executable.
std::string PackErrorMessage(PackResult result, const std::filesystem::path& firmwareFile,
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
// earlier.  Zero bytes before the payload make the file's length a multiple
// of 8, so that a signature appended later (which must start 8-aligned)
// follows the trailer directly.  The file is replaced as a whole (temporary
// file and rename), so on any error, for a firmware above 0x8000 bytes and
// for a signed executable, it is left as it was.
PackResult PackFirmware(std::span<const uint8_t> firmware, const std::filesystem::path& executable,
                        const DesKey& key);

// The command-line tools' entry: reads the firmware file, parses the key and
// packs.
PackResult PackFirmwareFile(const std::filesystem::path& firmwareFile,
                            const std::filesystem::path& executable, std::string_view keyHex);

}  // namespace vrx
