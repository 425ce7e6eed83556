// vrxtool doctor's check of FTDI latency timers, on every platform that
// tells them (Linux's sysfs, the Windows driver's registry parameters).
#include "device/usb_adapter.h"
#include "platform/port_names.h"
#include "tools/vrxtool/doctor_report.h"

namespace vrxtool {

void CheckLatencyTimers(const std::vector<ListedPort>& ports, Report& report) {
  for (const auto& port : ports) {
    const auto& info = port.info;
    if (info.latencyTimerMs < 0) continue;
    const std::string chip = AdapterChipName(info);
    const std::string what = vrx::PortNameForUser(info.devicePath) +
                             (chip.empty() ? "" : " (" + chip + ")") + ": latency timer " +
                             std::to_string(info.latencyTimerMs) + " ms";
    if (!vrx::LatencyMakesWriteSlow(info.latencyTimerMs)) {
      report.Add(Status::kOk,
                 what + "; a full Write takes " + ExpectedWriteText(info.latencyTimerMs));
      continue;
    }
    report.Add(Status::kWarning,
               what + "; a full Write takes " + ExpectedWriteText(info.latencyTimerMs) +
                   " instead of " + ExpectedWriteText(1),
               LatencyTimerFix(info));
  }
}

}  // namespace vrxtool
