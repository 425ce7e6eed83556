// Codes sent by the PC keyboard's keys, indexed by Windows virtual-key code;
// the key map page's capture mode turns a pressed key into codes with it.
#pragma once

#include <array>
#include <cstdint>

namespace vrx {

// first 0x00: not capturable; 0xE0: extended key, second follows the E0;
// otherwise a plain key whose code is first.
struct CaptureEntry {
  uint8_t first = 0x00;
  uint8_t second = 0x00;
};

using CaptureTableType = std::array<CaptureEntry, 256>;

const CaptureTableType& CaptureTable();

}  // namespace vrx
