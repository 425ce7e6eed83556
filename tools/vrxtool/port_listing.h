// The serial ports as `ports` and `doctor` see them: every port of the
// machine and every target of the port map, each with the COM names that
// lead to it and the processes that hold it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/port_diagnosis.h"

namespace vrxtool {

struct ListedPort {
  std::vector<std::string> comNames;  // "COM1", ... (may be empty)
  vrx::SerialPortInfo info;
  std::vector<vrx::PortUser> users;
};

std::vector<ListedPort> ListPorts(const std::map<std::string, std::string>& portMap);

// The USB serial adapter chip behind a port ("FTDI FT232R"), "" if unknown.
std::string AdapterChipName(const vrx::SerialPortInfo& info);
// How long a full Write takes at an FTDI latency timer: "about 8 min",
// "about 32 s".
std::string ExpectedWriteText(int latencyTimerMs);

}  // namespace vrxtool
