// What vrxtool needs to know about its terminal, and Ctrl-C as a flag
// instead of an abrupt end (backends in terminal_*.cc).
#pragma once

namespace vrxtool {

bool StdoutIsTerminal();
bool StderrIsTerminal();
// Width of the terminal on stderr; 80 when it cannot be told.
int StderrColumns();

// From now on Ctrl-C (and SIGTERM) sets a flag instead of ending the
// program; a second one ends it as usual.
void CatchInterrupt();
bool Interrupted();

}  // namespace vrxtool
