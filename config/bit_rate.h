#pragma once

namespace vrx {

// Speed index to bit rate: 0..6 are 4800, 9600, 14400, 19200, 38400, 57600
// and 128000 bit/s; every other index (-1: no speed chosen) gives 0.
int BitRateForSpeedIndex(int speedIndex);

}  // namespace vrx
