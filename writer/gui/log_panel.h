// The writer's log panel (edit 1005) as the Write's log: every append lands
// at the end, whatever the user has selected, the view follows it, and the
// panel is repainted at once so each step shows while the Write still runs.
#pragma once

#include <string_view>

#include "writer/write_log.h"

class wxTextCtrl;

namespace vrx::writer {

class LogPanel : public WriteLog {
 public:
  explicit LogPanel(wxTextCtrl& panel) : panel_(panel) {}
  void AppendLog(std::string_view text) override;

 private:
  wxTextCtrl& panel_;
};

}  // namespace vrx::writer
