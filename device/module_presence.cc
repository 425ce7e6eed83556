#include "module_presence.h"

#include "bit_rate.h"
#include "loader.h"
#include "serial_link.h"

namespace vrx {

bool ModuleAnswers(const std::string& portName, int speedIndex, std::chrono::milliseconds timeout,
                   SerialOptions options) {
  options.readTimeout = timeout;
  options.writeTimeout = timeout;
  auto link = SerialLink::Open(portName, BitRateForSpeedIndex(speedIndex), options);
  if (!link) return false;
  const LoaderResult connected = LoaderConnect(*link);
  return connected == LoaderResult::kOk || connected == LoaderResult::kApplication;
}

}  // namespace vrx
