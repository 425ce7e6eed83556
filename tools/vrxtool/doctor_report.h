// vrxtool doctor's output: one line per check, ok / warning / problem, with
// the fix under it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/settings_file.h"
#include "tools/vrxtool/port_listing.h"

namespace vrxtool {

enum class Status { kOk, kWarning, kProblem };

class Report {
 public:
  void Add(Status status, const std::string& finding, const std::string& fix = {});
  bool problems() const { return problems_; }

 private:
  bool problems_ = false;
};

// What this platform checks about its serial ports (doctor_checks_*.cc):
// groups, services and the port map on Linux, the COM ports on Windows.
// A profile that cannot be used goes to `unusable`.
void CheckSerialPorts(const std::vector<ListedPort>& ports,
                      const std::map<std::string, std::string>& portMap, Report& report,
                      const vrx::SettingsProblemSink& unusable);

// Every FTDI adapter's latency timer, with the time a Write takes at it
// (doctor_latency.cc); a slow one is a warning with LatencyTimerFix.
void CheckLatencyTimers(const std::vector<ListedPort>& ports, Report& report);
// How this platform lowers an adapter's latency timer to 1 ms.
std::string LatencyTimerFix(const vrx::SerialPortInfo& info);

// The doctor's help lines naming those checks.
std::string SerialPortChecksSummary();

// How this platform gets a Japanese font for the windows.
std::string JapaneseFontFix();

}  // namespace vrxtool
