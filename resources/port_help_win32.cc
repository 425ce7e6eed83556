#include <string>

#include "resources/program_usage.h"

namespace vrx {

std::string_view PortOpenHint() {
  return "(the COM numbers are in Device Manager, Ports (COM & LPT); a port in use by another "
         "program cannot be opened until it closes the port; see README.txt beside vrxtool.exe)";
}

std::string_view SerialPortsUsageLine(std::string_view) {
  return "Serial ports: COM1..COM9 as Device Manager lists them under Ports (COM & LPT);\n"
         "see README.txt beside the program.\n";
}

}  // namespace vrx
