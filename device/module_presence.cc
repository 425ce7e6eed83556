#include "device/module_presence.h"

#include "config/bit_rate.h"
#include "device/loader.h"
#include "device/serial_link.h"

namespace vrx {

bool ModuleAnswers(const std::string& portName, int speedIndex, std::chrono::milliseconds timeout,
                   SerialOptions options) {
  options.readTimeout = timeout;
  options.writeTimeout = timeout;
  auto link = SerialLink::Open(portName, BitRateForSpeedIndex(speedIndex), options).link;
  if (!link) return false;
  const LoaderResult connected = LoaderConnect(*link);
  return connected == LoaderResult::kOk || connected == LoaderResult::kApplication;
}

}  // namespace vrx
