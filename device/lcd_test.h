// The editor's LCD test: sends the eight user characters to the module's LCD
// and shows them on its first line.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "serial_options.h"

namespace vrx {

enum class LcdTestResult {
  kOk,
  kNoPortSelected,
  kPortOpenFailed,  // the port cannot be opened at that speed
  kDeviceError,     // a device command failed, or a caught Ctrl-C stopped
                    // the test between two exchanges
};

// `cause` receives the line to show under the program's message when
// something is known of why ("" otherwise).  The port is closed in every
// case.
LcdTestResult RunLcdTest(const std::string& portName, int speedIndex,
                         const std::array<uint8_t, 64>& cgram,
                         const SerialOptions& options = {}, std::string* cause = nullptr);

}  // namespace vrx
