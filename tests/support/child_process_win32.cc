// Windows: only RunShell, for the few portable suites that call a tool (the
// DES cross-check with openssl).  The rest of child_process.h is POSIX.
#include <cstdlib>

#include "tests/support/child_process.h"

namespace vrx::test {

// cmd.exe runs the line; std::system gives its exit code.  No time limit is
// enforced here: the Windows suites run no command that can hang.
int RunShell(const std::string& command, std::chrono::milliseconds) {
  return std::system(command.c_str());
}

}  // namespace vrx::test
