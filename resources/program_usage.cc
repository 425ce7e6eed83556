#include "resources/program_usage.h"

#include <string>

namespace vrx {

std::string_view EditorUsage() {
  static const std::string usage =
      "Usage: VRXEditor [FILE.vrx]\n"
      "Edits a VRX7100 data file: the key map, the eight LCD characters and the\n"
      "options. FILE.vrx, if given, is opened at start as 開く would open it.\n"
      "\n"
      "Options:\n"
      "  --help     Show this help and exit\n"
      "  --version  Show the version and exit\n"
      "\n" +
      std::string(SerialPortsUsageLine("VRXEditor"));
  return usage;
}

std::string_view WriterUsage() {
  static const std::string usage =
      "Usage: VRXWriter [FILE.vrx]\n"
      "Programs the firmware it carries and the data file into a VRX7100 over a\n"
      "serial port. FILE.vrx, if given, fills the file field at start.\n"
      "\n"
      "Options:\n"
      "  --help     Show this help and exit\n"
      "  --version  Show the version and exit\n"
      "\n" +
      std::string(SerialPortsUsageLine("VRXWriter"));
  return usage;
}

std::string UnknownCommand(std::string_view name) {
  return "vrxtool: unknown command \"" + std::string(name) + "\". The commands are:";
}

std::string_view CommandListEnd() {
  return "Run \"vrxtool COMMAND --help\" for a command's options.";
}

}  // namespace vrx
