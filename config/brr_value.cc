#include "config/brr_value.h"

#include "config/bit_rate.h"

namespace vrx {
namespace {

constexpr uint8_t kNoSelectionBrrValue = 0x0F;
constexpr int kHighestSpeedIndex = 6;
// The device's serial clock: 20 MHz divided by 32 per bit.
constexpr long kClockPerBit = 20'000'000 / 32;

}  // namespace

uint8_t BrrValueForSpeedIndex(int speedIndex) {
  const long bitRate = BitRateForSpeedIndex(speedIndex);
  if (bitRate == 0) return kNoSelectionBrrValue;
  // Nearest integer divider, minus one as the register counts from zero.
  return static_cast<uint8_t>((kClockPerBit + bitRate / 2) / bitRate - 1);
}

std::optional<int> SpeedIndexForBrrValue(uint8_t brrValue) {
  for (int index = 0; index <= kHighestSpeedIndex; ++index)
    if (BrrValueForSpeedIndex(index) == brrValue) return index;
  return std::nullopt;
}

}  // namespace vrx
