// Key capture: the codes sent by the PC keyboard's keys, indexed by Windows
// virtual-key code, by which the key map page's capture mode turns a pressed
// key into make and break codes (the X keys' virtual-key codes:
// key_capture_map.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vrx {

// first 0x00: not capturable; 0xE0: extended key, second follows the E0;
// otherwise a plain key whose code is first.
struct CaptureEntry {
  uint8_t first = 0x00;
  uint8_t second = 0x00;
};

using CaptureTableType = std::array<CaptureEntry, 256>;

const CaptureTableType& CaptureTable();

struct CapturedKey {
  std::string makeCode;
  std::string breakCode;
  bool typematic = true;
};

// Windows virtual-key code of a key-down to the key's codes; nothing when
// the key cannot be captured.
std::optional<CapturedKey> TranslateCapturedKey(unsigned virtualKey);

}  // namespace vrx
