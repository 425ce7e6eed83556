// What one port's session shows while it programs modules: one module's
// Write (the writer's log, progress, the container's message boxes) and, in
// a production run, the waits and the running count.  A single port shows
// it as vrxtool always has; several ports share one table (gang_board.h).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "device/device_progress.h"
#include "writer/write_log.h"

namespace vrxtool {

struct ModuleOutcome {
  bool passed = false;
  bool interrupted = false;  // the run's cancellation stopped the Write at a safe point
  int message = 0;           // the writer message that ended a failed Write, 0 if none
  std::string boxText;       // a payload container failure's text
};

// One module's Write on one port.
class ModuleView {
 public:
  virtual ~ModuleView() = default;
  virtual vrx::WriteLog& log() = 0;
  virtual vrx::DeviceProgress& progress() = 0;
  virtual vrx::MessageBoxSink& boxes() = 0;
  // The Write has ended; `outcome` says how.
  virtual void Finished(const ModuleOutcome& outcome) = 0;
  // The writer message that ended a failed Write, 0 if none.
  virtual int LastMessage() const = 0;
};

// One port over the whole run.  Each port's session has its own; calls for
// different ports may come at the same time.
class PortView {
 public:
  virtual ~PortView() = default;
  virtual std::unique_ptr<ModuleView> BeginModule() = 0;
  // A line for the person at the station beside the log (a hint, a wait).
  virtual void Note(std::string_view text) = 0;
  // A production run waits for the next module.
  virtual void Waiting() = 0;
  // A production run's count after each module.
  virtual void Counted(int passed, int failed) = 0;
};

// The view vrxtool has always shown for one port: the log on stdout, a
// status line on a terminal's stderr, message boxes and notes on stderr;
// with `json` an event stream on stdout instead.
std::unique_ptr<PortView> MakeSinglePortView(bool json);

}  // namespace vrxtool
