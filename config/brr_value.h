// The value the device loads into its serial bit-rate register for each
// speed of the option page's list.
#pragma once

#include <cstdint>
#include <optional>

namespace vrx {

// The register value for a speed index; 0x0F (38400 bit/s) for no selection
// or an index without a bit rate.
uint8_t BrrValueForSpeedIndex(int speedIndex);

// The speed index (0..6) whose register value is `brrValue`; nothing when
// no speed has it.
std::optional<int> SpeedIndexForBrrValue(uint8_t brrValue);

}  // namespace vrx
