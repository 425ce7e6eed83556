#include <sys/ioctl.h>
#include <unistd.h>

#include "tools/vrxtool/terminal.h"

namespace vrxtool {

bool StdoutIsTerminal() { return isatty(STDOUT_FILENO) == 1; }
bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

int StderrColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 80;
  return size.ws_col;
}

bool StderrTakesEscapes() { return StderrIsTerminal(); }

// A terminal here takes UTF-8 and escapes as they come: no relay.
class WideConsoleRelay {};
ConsoleSession::ConsoleSession() = default;
ConsoleSession::~ConsoleSession() = default;

}  // namespace vrxtool
