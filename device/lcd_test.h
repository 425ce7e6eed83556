// The editor's LCD test: sends the eight user characters to the module's LCD
// and shows them on its first line.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "serial_options.h"

namespace vrx {

// Returns 0 on success, else the editor message number to show:
// 10000 no port chosen, 10001 the port cannot be opened at that speed,
// 10002 a device command failed.  `cause` receives the line to show under
// the message when something is known of why ("" otherwise).  The port is
// closed in every case.  A caught Ctrl-C stops the test between two
// exchanges (10002).
int RunLcdTest(const std::string& portName, int speedIndex,
               const std::array<uint8_t, 64>& cgram,
               const SerialOptions& options = {}, std::string* cause = nullptr);

}  // namespace vrx
