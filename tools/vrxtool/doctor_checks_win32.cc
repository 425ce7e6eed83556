// Windows' serial-port checks for vrxtool doctor: the COM ports Windows
// has, whether the ports the programs remember are among them, and FTDI
// latency timers.  Groups,
// udev and Linux services do not exist here; which program holds a port
// Windows does not tell an ordinary user.
#include <algorithm>

#include "config/port_settings.h"
#include "platform/port_names.h"
#include "platform/program_profile.h"
#include "tools/vrxtool/doctor_report.h"

namespace vrxtool {
namespace {

constexpr const char* kDeviceManagerHint =
    "plug in the USB serial adapter; Device Manager shows its COM number under "
    "Ports (COM & LPT)";

std::string ComName(const ListedPort& port) { return vrx::PortNameForUser(port.info.devicePath); }

}  // namespace

void CheckSerialPorts(const std::vector<ListedPort>& ports,
                      const std::map<std::string, std::string>&, Report& report,
                      const vrx::SettingsProblemSink& unusable) {
  std::vector<std::string> present;
  for (const auto& port : ports) {
    if (!port.info.exists) continue;
    present.push_back(ComName(port));
    const std::string device = port.info.product.empty() ? "" : " (" + port.info.product + ")";
    report.Add(Status::kOk, "port " + present.back() + device);
  }
  if (present.empty())
    report.Add(Status::kProblem, "this computer has no COM port", kDeviceManagerHint);

  for (const char* program : {"VRXWriter", "VRXEditor"}) {
    const auto profile = vrx::OpenProgramProfile(program, unusable);
    if (!vrx::HasStoredPort(*profile)) continue;
    const std::string name = vrx::ReadPortSettings(*profile).portName;
    if (std::find(present.begin(), present.end(), name) != present.end()) continue;
    report.Add(Status::kWarning,
               std::string(program) + "'s port " + name + " is not on this computer",
               std::string(kDeviceManagerHint) + ", and choose that port");
  }
  CheckLatencyTimers(ports, report);
  report.Add(Status::kOk,
             "a port is used by one program at a time: one in use by another program cannot be "
             "opened until that program closes it");
}

std::string LatencyTimerFix(const vrx::SerialPortInfo&) {
  return "in Device Manager: Ports (COM & LPT), the port, Properties, Port Settings, "
         "Advanced..., Latency Timer (msec) = 1, then plug the adapter in again (needs an "
         "administrator; see docs/ports.md)";
}

std::string SerialPortChecksSummary() {
  return "Lists the COM ports and FTDI latency timers, checks that the ports VRXWriter and\n"
         "VRXEditor remember are there";
}

std::string JapaneseFontFix() {
  return "add the Japanese Supplemental Fonts (Settings, Apps, Optional features)";
}

}  // namespace vrxtool
