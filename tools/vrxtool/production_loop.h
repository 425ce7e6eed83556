// vrxtool program --repeat: one station programming module after module.
// After each module it waits until that one is gone (the port vanishes or
// the module stops answering) and the next one answers, then programs it.
#pragma once

#include <functional>
#include <string>

namespace vrxtool {

struct ModuleOutcome {
  bool passed = false;
  bool interrupted = false;  // Ctrl-C stopped the Write at a safe point
  int message = 0;      // the writer message that ended a failed Write, 0 if none
  std::string boxText;  // a payload container failure's text
};

struct StationSettings {
  std::string port;
  int speedIndex = 4;
  std::string resultsCsv;  // "" for none
};

// Runs until Ctrl-C, printing a running count and at the end a summary on
// stderr.  Exit status 0 when no module failed; a module whose Write Ctrl-C
// stopped is logged as interrupted and counts neither way.
int ProgramRepeatedly(const StationSettings& station,
                      const std::function<ModuleOutcome()>& programModule);

}  // namespace vrxtool
