// Windows: only RunShell, for the few portable suites that call a tool.  The
// rest of child_process.h is POSIX.
#include <cstdlib>

#include "platform/utf8_path.h"
#include "platform/wide_text_win32.h"
#include "tests/support/child_process.h"

namespace vrx::test {

// cmd.exe runs the line, read wide so that file names outside ASCII arrive
// as themselves.  cmd /c drops the first and the last quote of a line that
// starts with one; the outer pair keeps the line's own quotes.  No time
// limit is enforced here: the Windows suites run no command that can hang.
int RunShell(const std::string& command, std::chrono::milliseconds) {
  return _wsystem((L"\"" + WidenUtf8(command) + L"\"").c_str());
}

// Windows names cannot hold a double quote.
std::string ShellQuoted(const std::filesystem::path& path) {
  return "\"" + Utf8FromPath(path) + "\"";
}

}  // namespace vrx::test
