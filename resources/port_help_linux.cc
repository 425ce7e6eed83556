#include <string>

#include "resources/program_usage.h"

namespace vrx {

std::string_view PortOpenHint() {
  return "(dialout group, ModemManager, brltty: see man vrxtool, SERIAL PORTS, or "
         "/usr/share/doc/vrx7100-tools/docs/ports.md)";
}

std::string_view SerialPortsUsageLine(std::string_view program) {
  return program == "VRXEditor" ? "Serial ports: see man VRXEditor (SERIAL PORTS).\n"
                                : "Serial ports: see man VRXWriter (SERIAL PORTS).\n";
}

}  // namespace vrx
