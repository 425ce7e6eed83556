// Whether a module answers on a port: what a production station watches to
// tell that one module has been taken away and the next plugged in.
#pragma once

#include <chrono>
#include <string>

#include "device/serial_options.h"

namespace vrx {

// True when the port opens at the speed's bit rate and the module answers
// the loader's connect byte (as its application or as its loader) within
// `timeout`.  The port is closed again.
bool ModuleAnswers(const std::string& portName, int speedIndex, std::chrono::milliseconds timeout,
                   SerialOptions options = {});

}  // namespace vrx
