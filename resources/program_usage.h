// What the two window programs print for --help, and vrxtool's pointer to
// the serial-port help, kept beside the programs' other texts.  Their manual pages (docs/man/)
// describe the same options.
#pragma once

#include <string>
#include <string_view>

namespace vrx {

std::string_view EditorUsage();
std::string_view WriterUsage();

// The help each platform has on serial ports (port_help_*.cc): Linux users
// have manual pages, groups and udev, Windows users COM numbers and the
// Device Manager.
//
// vrxtool's second line after a port-open failure: where the causes are
// explained.
std::string_view PortOpenHint();
// The last line of a window program's --help, for `program` (VRXEditor or
// VRXWriter).
std::string_view SerialPortsUsageLine(std::string_view program);

// vrxtool given a command it does not have: the first line, then the list
// of commands, then the last line.
std::string UnknownCommand(std::string_view name);
std::string_view CommandListEnd();

}  // namespace vrx
