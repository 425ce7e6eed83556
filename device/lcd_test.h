// The editor's LCD test: sends the eight user characters to the module's LCD
// and shows them on its first line.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "device/serial_options.h"
#include "platform/port_diagnosis.h"

namespace vrx {

enum class LcdTestResult {
  kOk,
  kNoPortSelected,
  kPortOpenFailed,  // the port cannot be opened at that speed
  kDeviceError,     // a device command failed
  kInterrupted,     // options.cancelled stopped the test between two commands
};

// `cause` receives what is known of why the port could not be used (kNone
// otherwise).  The port is closed in every case.
LcdTestResult RunLcdTest(const std::string& portName, int speedIndex,
                         const std::array<uint8_t, 64>& cgram, const SerialOptions& options = {},
                         PortDiagnosis* cause = nullptr);

}  // namespace vrx
