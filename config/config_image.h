// The configuration of a VRX7100 as the editor holds it, with the defaults of
// a fresh editor.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vrx {

inline constexpr int kKeyCount = 128;
inline constexpr int kCgramBytes = 64;

struct KeyEntry {
  bool typematic = true;
  // Code texts as the user typed them, held as Shift_JIS (code page 932)
  // bytes, because their validity is judged byte by byte in that encoding.
  std::string makeCode;
  std::string breakCode;

  friend bool operator==(const KeyEntry&, const KeyEntry&) = default;
};

struct ConfigImage {
  uint16_t optionWord = 0x000C;
  uint8_t brrValue = 0x0F;  // 38400 bit/s
  uint8_t poInitial = 0xFF;
  std::array<uint8_t, kCgramBytes> cgram{};
  std::array<KeyEntry, kKeyCount> keys{};

  friend bool operator==(const ConfigImage&, const ConfigImage&) = default;
};

}  // namespace vrx
