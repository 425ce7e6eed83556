// What vrxtool needs to know about its terminal (backends in
// terminal_*.cc).
#pragma once

namespace vrxtool {

bool StdoutIsTerminal();
bool StderrIsTerminal();
// Width of the terminal on stderr; 80 when it cannot be told.
int StderrColumns();
// Whether stderr, a terminal, takes "\033[K" as an erase instead of
// showing it.
bool StderrTakesEscapes();

// For one run of the program: a Windows console is switched to show the
// UTF-8 that vrxtool writes and, where it can, to take terminal escapes;
// both are put back as they were when the session ends.  Output that is
// redirected stays UTF-8 as it is.  Nothing to do on a POSIX terminal.
class ConsoleSession {
 public:
  ConsoleSession();
  ~ConsoleSession();
  ConsoleSession(const ConsoleSession&) = delete;
  ConsoleSession& operator=(const ConsoleSession&) = delete;

 private:
  unsigned savedCodePage_ = 0;  // 0: nothing to put back
  unsigned long savedOutputMode_ = 0;
  unsigned long savedErrorMode_ = 0;
  bool outputModeSet_ = false;
  bool errorModeSet_ = false;
};

}  // namespace vrxtool
