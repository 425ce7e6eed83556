// vrxtool program --repeat: one station programming module after module.
// After each module it waits until that one is gone (the port vanishes or
// the module stops answering) and the next one answers, then programs it.
// Several stations run side by side, one per port, each on its own.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "device/serial_options.h"
#include "tools/vrxtool/port_view.h"

namespace vrxtool {

// The results file of a run (--log): one CSV row per module, a header first
// when the file is new.  Stations share one; each row is written whole.
class ResultsCsv {
 public:
  explicit ResultsCsv(std::string path);  // "" for none
  void Append(std::string_view port, const ModuleOutcome& outcome, double seconds);

 private:
  std::string path_;
  std::mutex mutex_;
};

struct StationSettings {
  std::string port;
  int speedIndex = 4;
};

struct StationCounts {
  int passed = 0;
  int failed = 0;
};

// Runs until `cancelled()` (Ctrl-C), counting on `view` and appending each
// module to `results`.  A module whose Write the cancellation stopped is
// logged as interrupted and counts neither way.
StationCounts ProgramRepeatedly(const StationSettings& station,
                                const std::function<ModuleOutcome()>& programModule, PortView& view,
                                ResultsCsv& results, const vrx::CancelCheck& cancelled);

}  // namespace vrxtool
