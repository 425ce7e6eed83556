// Starting another program and letting it run on its own.
#pragma once

#include <string>
#include <vector>

namespace vrx {

// Starts the program at `arguments[0]` with `arguments` as its argument
// vector (no shell is involved, so no argument is ever interpreted), in the
// caller's environment and current folder, and returns at once without
// waiting for it.  The program inherits no open files but the standard
// three.  Returns 0 once the program is running, else the errno value that
// prevented it (ENOENT, EACCES, ...; EINVAL for an empty vector).
int StartDetachedProcess(const std::vector<std::string>& arguments);

}  // namespace vrx
