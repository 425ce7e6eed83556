// How a device command reports while it runs: a JSON event stream on
// stdout (--json), or a progress bar on a terminal's stderr.
#pragma once

#include <CLI/CLI.hpp>

#include <memory>

#include "tools/vrxtool/console_output.h"
#include "tools/vrxtool/json_events.h"

namespace vrxtool {

inline void AddJsonFlag(CLI::App& sub, bool& json) {
  sub.add_flag("--json", json,
               "Print one JSON object per event on stdout instead (steps, bytes, messages, "
               "result)");
}

class Feedback {
 public:
  explicit Feedback(bool json) {
    if (json) {
      json_ = std::make_unique<JsonEvents>();
    } else {
      status_ = std::make_unique<StatusLine>();
      bar_ = std::make_unique<ProgressBar>(*status_);
    }
  }

  vrx::DeviceProgress& progress() {
    return json_ ? static_cast<vrx::DeviceProgress&>(*json_) : *bar_;
  }
  JsonEvents* json() { return json_.get(); }
  StatusLine* status() { return status_.get(); }

 private:
  std::unique_ptr<JsonEvents> json_;
  std::unique_ptr<StatusLine> status_;
  std::unique_ptr<ProgressBar> bar_;
};

}  // namespace vrxtool
