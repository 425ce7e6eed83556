// The 32 KB image of the module's flash; offsets are flash addresses.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vrx {

inline constexpr std::size_t kFlashSize = 0x8000;
inline constexpr std::size_t kConfigBlockOffset = 0x5000;
inline constexpr std::size_t kConfigBlockSize = 8448;  // 0x2100

using FlashImage = std::array<uint8_t, kFlashSize>;

}  // namespace vrx
