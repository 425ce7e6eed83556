// What vrxtool needs to know about its terminal (backends in
// terminal_*.cc).
#pragma once

#include <memory>

namespace vrxtool {

class WideConsoleRelay;  // Windows only

bool StdoutIsTerminal();
bool StderrIsTerminal();
// Width of the terminal on stderr; 80 when it cannot be told.
int StderrColumns();
// Whether stderr, a terminal, takes "\033[K" as an erase instead of
// showing it.
bool StderrTakesEscapes();

// For one run of the program: what vrxtool writes to a Windows console
// reaches it through the console's wide API (see wide_console_relay_win32.h),
// and the console takes terminal escapes where it can; its modes are put
// back as they were when the session ends.  Output that is redirected stays
// UTF-8 as it is.  Nothing to do on a POSIX terminal.
class ConsoleSession {
 public:
  ConsoleSession();
  ~ConsoleSession();
  ConsoleSession(const ConsoleSession&) = delete;
  ConsoleSession& operator=(const ConsoleSession&) = delete;

 private:
  std::unique_ptr<WideConsoleRelay> relay_;
  unsigned savedCodePage_ = 0;  // 0: nothing to put back
  unsigned long savedOutputMode_ = 0;
  unsigned long savedErrorMode_ = 0;
  bool outputModeSet_ = false;
  bool errorModeSet_ = false;
};

}  // namespace vrxtool
