#include <windows.h>

#include <cerrno>

#include "platform/process_start.h"
#include "platform/wide_text_win32.h"

namespace vrx {
namespace {

// One argument, quoted so that the C runtime of the started program splits
// it back out unchanged: backslashes double only before a quote.  The
// program's path goes bare unless it holds a blank; every argument after it
// in double quotes, as the editor's 書込み gives the writer its data file
// (C:\TOOLS\VRXWRITER.EXE "D:\keys\desk.vrx").
void AppendQuoted(std::wstring& line, const std::wstring& argument, bool always) {
  if (!always && !argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    line += argument;
    return;
  }
  line += L'"';
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

int ErrnoFor(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
      return EACCES;
    case ERROR_BAD_EXE_FORMAT:
      return ENOEXEC;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    default:
      return EIO;
  }
}

}  // namespace

int StartDetachedProcess(const std::vector<std::string>& arguments) {
  if (arguments.empty() || arguments.front().empty()) return EINVAL;
  const std::wstring program = WidenUtf8(arguments.front());
  std::wstring commandLine;
  AppendQuoted(commandLine, program, false);
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    commandLine += L' ';
    AppendQuoted(commandLine, WidenUtf8(arguments[i]), true);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // No handle inheritance; the program is given by path, so no search and
  // no shell is involved.
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, nullptr, nullptr, &startup, &process)) {
    return ErrnoFor(GetLastError());
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}

}  // namespace vrx
