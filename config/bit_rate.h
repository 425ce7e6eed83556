#pragma once

namespace vrx {

// Speed index to bit rate: 0..6 are 4800, 9600, 14400, 19200, 38400, 57600
// and 128000 bit/s; every other index (-1: no speed chosen) gives 0.
int BitRateForSpeedIndex(int speedIndex);

// The speeds every speed list offers, indices 0..5 (4800 .. 57600 bit/s).
// Index 6 (128000 bit/s) has a bit rate and a register value but no entry.
inline constexpr int kOfferedSpeedCount = 6;

}  // namespace vrx
