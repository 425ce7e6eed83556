// What vrxtool needs to know about its terminal (backends in
// terminal_*.cc).
#pragma once

namespace vrxtool {

bool StdoutIsTerminal();
bool StderrIsTerminal();
// Width of the terminal on stderr; 80 when it cannot be told.
int StderrColumns();

}  // namespace vrxtool
