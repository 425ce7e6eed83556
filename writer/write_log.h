// The writer's log: where the Write and the flash update report each step.
// The dialog's log panel and vrxtool's standard output implement it.
#pragma once

#include <string_view>

namespace vrx {

class WriteLog {
 public:
  virtual ~WriteLog() = default;
  // Appends UTF-8 text ("\r\n" line ends) at the end of the log.
  virtual void AppendLog(std::string_view text) = 0;
  // Appends the writer string-table text of a message number (a log that
  // reports numbers as well may override it).
  virtual void AppendLogMessage(int id);
};

// Shows a modal message box (warning icon, OK, the program's name as caption)
// and returns when the user has closed it.  The core never includes a
// toolkit, so the GUI and vrxtool each implement this.
class MessageBoxSink {
 public:
  virtual ~MessageBoxSink() = default;
  virtual void ShowMessage(std::string_view text) = 0;
};

}  // namespace vrx
