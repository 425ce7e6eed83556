// The 8448-byte binary form of a ConfigImage: the values of a data file in
// order, and the bytes the writer lays into flash at 0x5000.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/config_image.h"
#include "config/flash_image.h"

namespace vrx {

using ConfigBlock = std::array<uint8_t, kConfigBlockSize>;

inline constexpr std::size_t kReservedOffset = 4;
inline constexpr std::size_t kReservedBytes = 188;
inline constexpr std::size_t kCgramOffset = 192;
inline constexpr std::size_t kKeyTableOffset = 256;
inline constexpr std::size_t kCodeRecordBytes = 32;
inline constexpr uint8_t kTypematicBit = 0x80;
inline constexpr uint8_t kCodeCountMask = 0x7F;
inline constexpr uint8_t kAbsentCode = 0xFF;

inline constexpr std::size_t MakeRecordOffset(int keyIndex) {
  return kKeyTableOffset + 2 * kCodeRecordBytes * static_cast<std::size_t>(keyIndex);
}
inline constexpr std::size_t BreakRecordOffset(int keyIndex) {
  return MakeRecordOffset(keyIndex) + kCodeRecordBytes;
}

ConfigBlock ImageToBlock(const ConfigImage& image);

// The block as a flash image holds it, at 0x5000.
ConfigBlock BlockOfFlashImage(const FlashImage& flash);

// Replaces the fields of `image` with the block's contents.  A key whose make
// record is absent keeps its typematic flag, because the block cannot hold it.
void BlockToImage(const ConfigBlock& block, ConfigImage& image);

}  // namespace vrx
