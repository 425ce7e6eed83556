#include "resources/program_usage.h"

#include "resources/translation.h"

namespace vrx {

std::string_view EditorUsage() {
  return Tr(
      "Usage: VRXEditor [FILE.vrx]\n"
      "Edits a VRX7100 data file: the key map, the eight LCD characters and the\n"
      "options. FILE.vrx, if given, is opened at start as 開く would open it.\n"
      "\n"
      "Options:\n"
      "  --help     Show this help and exit\n"
      "  --version  Show the version and exit\n"
      "\n"
      "Serial ports: see man VRXEditor (SERIAL PORTS).\n");
}

std::string_view WriterUsage() {
  return "Usage: VRXWriter [FILE.vrx]\n"
         "Programs the firmware it carries and the data file into a VRX7100 over a\n"
         "serial port. FILE.vrx, if given, fills the file field at start.\n"
         "\n"
         "Options:\n"
         "  --help     Show this help and exit\n"
         "  --version  Show the version and exit\n"
         "\n"
         "Serial ports: see man VRXWriter (SERIAL PORTS).\n";
}

std::string_view PortOpenHint() {
  return "(dialout group, ModemManager, brltty: see man vrxtool, SERIAL PORTS, or "
         "/usr/share/doc/vrx7100-tools/docs/ports.md)";
}

}  // namespace vrx
