// Linux's serial-port checks for vrxtool doctor: the group that owns the
// ports, services that claim USB serial adapters, FTDI latency timers and
// the port map.
#include <filesystem>
#include <set>

#include "config/port_settings.h"
#include "platform/port_names.h"
#include "platform/program_profile.h"
#include "platform/utf8_path.h"
#include "tools/vrxtool/doctor_report.h"

namespace vrxtool {
namespace {

void CheckGroups(const std::vector<ListedPort>& ports, Report& report) {
  std::set<std::string> groups;
  for (const auto& port : ports)
    if (port.info.exists && !port.info.group.empty() && port.info.group != "root")
      groups.insert(port.info.group);
  if (groups.empty()) groups.insert("dialout");
  for (const auto& group : groups) {
    if (vrx::UserInGroup(group)) {
      report.Add(Status::kOk, "you may open ports of group " + group);
    } else {
      report.Add(Status::kProblem,
                 "you are not in group " + group + ", which owns the serial ports",
                 "sudo usermod -aG " + group + " $USER, then log out and in again");
    }
  }
  for (const auto& port : ports)
    if (port.info.exists && !port.info.accessible && vrx::UserInGroup(port.info.group))
      report.Add(Status::kProblem,
                 port.info.devicePath + " cannot be opened for reading and writing",
                 "check its permissions (ls -l " + port.info.devicePath + ")");
}

void CheckClaimingServices(Report& report) {
  if (vrx::ProcessRunning("ModemManager")) {
    report.Add(Status::kWarning,
               "ModemManager is running; it probes new USB serial adapters and can disturb a write",
               "sudo systemctl disable --now ModemManager (or a udev rule setting "
               "ENV{ID_MM_DEVICE_IGNORE}=\"1\" for the adapter)");
  } else {
    report.Add(Status::kOk, "ModemManager is not running");
  }
  if (vrx::ProcessRunning("brltty") || std::filesystem::exists("/usr/bin/brltty")) {
    report.Add(Status::kWarning,
               "brltty is installed; it claims some USB serial adapters (CH340, CP210x) as "
               "Braille displays",
               "sudo apt remove brltty, unless you use a Braille display");
  } else {
    report.Add(Status::kOk, "brltty is not installed");
  }
}

void CheckPortMap(const std::vector<ListedPort>& ports,
                  const std::map<std::string, std::string>& portMap, Report& report,
                  const vrx::SettingsProblemSink& unusable) {
  const std::string mapFile = vrx::Utf8FromPath(vrx::PortMapPath());
  if (portMap.empty()) {
    report.Add(Status::kOk, "no port map entries in " + mapFile +
                                "; COM1, COM2, ... are the USB adapters in order");
  }
  std::size_t present = 0;
  for (const auto& [name, path] : portMap) {
    if (std::filesystem::exists(path)) {
      ++present;
    } else {
      report.Add(Status::kWarning, mapFile + ": " + name + "=" + path + " does not exist",
                 "plug the adapter in or correct the line");
    }
  }
  if (present > 0 && present == portMap.size())
    report.Add(Status::kOk, mapFile + ": every name leads to a device");
  for (const auto& port : ports) {
    std::vector<std::string> mapped;
    for (const auto& name : port.comNames)
      if (portMap.count(name)) mapped.push_back(name);
    if (mapped.size() > 1)
      report.Add(
          Status::kWarning,
          mapFile + ": " + mapped[0] + " and " + mapped[1] + " both name " + port.info.devicePath,
          "keep one line per device");
  }
  // The ports the two programs remember must be COM names that still lead
  // somewhere.
  for (const char* program : {"VRXWriter", "VRXEditor"}) {
    const auto profile = vrx::OpenProgramProfile(program, unusable);
    if (!vrx::HasStoredPort(*profile)) {
      const std::string stored = vrx::StoredPortText(*profile);
      if (!stored.empty())
        report.Add(
            Status::kWarning,
            std::string(program) + " remembers the port \"" + stored +
                "\", which is not a COM name; it is taken as no port",
            "pick a port in " + std::string(program) + "'s list; it is remembered once used");
      continue;
    }
    const std::string name = vrx::ReadPortSettings(*profile).portName;
    if (!vrx::ResolvePortName(name).empty()) continue;
    report.Add(Status::kWarning,
               std::string(program) + "'s port " + name + " is not mapped to any device",
               "plug in an adapter or add " + name + "=/dev/ttyUSB0 to " + mapFile);
  }
}

}  // namespace

void CheckSerialPorts(const std::vector<ListedPort>& ports,
                      const std::map<std::string, std::string>& portMap, Report& report,
                      const vrx::SettingsProblemSink& unusable) {
  CheckGroups(ports, report);
  CheckClaimingServices(report);
  CheckLatencyTimers(ports, report);
  CheckPortMap(ports, portMap, report, unusable);
}

std::string LatencyTimerFix(const vrx::SerialPortInfo& info) {
  return "echo 1 | sudo tee " + info.latencyTimerFile +
         " (for good: the udev rule 61-vrx7100-ftdi-latency.rules, see docs/ports.md)";
}

std::string SerialPortChecksSummary() {
  return "Checks the serial ports' group, ModemManager, brltty, FTDI latency timers, the port\n"
         "map";
}

std::string JapaneseFontFix() { return "sudo apt install fonts-ipafont-gothic"; }

}  // namespace vrxtool
