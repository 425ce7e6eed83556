// The --port and --speed options shared by the commands that talk to a
// module.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace vrxtool {

inline void AddDeviceOptions(CLI::App& sub, std::string& port, int& speedIndex) {
  sub.add_option("--port", port,
                 "COM1..COM9 (see docs/ports.md) or a device path such as /dev/ttyUSB0")
      ->required();
  sub.add_option("--speed", speedIndex,
                 "Speed index: 0=4800 1=9600 2=14400 3=19200 4=38400 5=57600")
      ->capture_default_str()
      ->check(CLI::Range(0, 5));
}

}  // namespace vrxtool
