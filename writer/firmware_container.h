// The firmware payload the writer carries at the end of its own executable:
// the DES-enciphered firmware followed by a 12-byte trailer (8-byte key, one
// reserved byte, big-endian 24-bit payload length).  In a signed Windows
// executable "the end" is the start of its certificate table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "config/flash_image.h"
#include "writer/write_log.h"

namespace vrx {

inline constexpr std::size_t kTrailerSize = 12;
inline constexpr std::size_t kDesKeySize = 8;
inline constexpr uint32_t kMaxPayloadSize = kFlashSize;

// The reader's failure numbers #1..#3; each names a ContainerFailureText.
enum class ContainerResult {
  kOk = 0,
  kUnreadable = 1,  // cannot be opened or read
  kTooLarge = 2,    // length field above 0x8000
  kTruncated = 3,   // file shorter than length + 12
};

using DesKey = std::array<uint8_t, kDesKeySize>;

struct ContainerTrailer {
  DesKey key{};
  uint8_t reserved = 0;  // ignored by the reader
  uint32_t payloadSize = 0;
};

ContainerTrailer DecodeTrailer(std::span<const uint8_t, kTrailerSize> bytes);
std::array<uint8_t, kTrailerSize> EncodeTrailer(const ContainerTrailer& trailer);

// Fills `image` with 0xFF, then reads and deciphers the payload of
// `executable` into its start.  Returns kOk or the failure;
// after a failure `image` is all 0xFF.  `payloadSize` receives the payload's
// length (0 after a failure).  Reports nothing.
ContainerResult ReadFirmwarePayload(const std::filesystem::path& executable, FlashImage& image,
                                    uint32_t* payloadSize = nullptr);

// The Write's first step: ReadFirmwarePayload, and on failure the failure's
// message box followed by the "stopped" log line.  An empty payload is a
// failure here (#2): a Write would leave the module without firmware.
// Returns true on success.
bool LoadFirmwarePayload(FlashImage& image, WriteLog& log, MessageBoxSink& boxes,
                         const std::filesystem::path& executable);

}  // namespace vrx
