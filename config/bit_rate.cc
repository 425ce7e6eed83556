#include "config/bit_rate.h"

#include <iterator>

namespace vrx {

int BitRateForSpeedIndex(int speedIndex) {
  static constexpr int kRates[] = {4800, 9600, 14400, 19200, 38400, 57600, 128000};
  if (speedIndex < 0 || speedIndex >= static_cast<int>(std::size(kRates))) return 0;
  return kRates[speedIndex];
}

}  // namespace vrx
