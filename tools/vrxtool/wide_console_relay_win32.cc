#include "tools/vrxtool/wide_console_relay_win32.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

namespace vrxtool {
namespace {

// Points descriptor `fd` at `pipeFd`; returns a copy of what it was, or -1.
// The C library also makes the pipe the process's standard handle: that
// goes back to the console, which is what the terminal queries ask about.
int Redirect(int fd, int pipeFd, DWORD standard) {
  const HANDLE console = GetStdHandle(standard);
  const int saved = _dup(fd);
  if (saved < 0) return -1;
  if (_dup2(pipeFd, fd) != 0) {
    _close(saved);
    return -1;
  }
  _setmode(fd, _O_TEXT);
  SetStdHandle(standard, console);
  return saved;
}

void Restore(int fd, int saved, DWORD standard) {
  if (saved < 0) return;
  const HANDLE console = GetStdHandle(standard);
  _dup2(saved, fd);
  _close(saved);
  SetStdHandle(standard, console);
}

void Show(HANDLE console, const std::string& utf8) {
  if (utf8.empty()) return;
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), size);
  DWORD written = 0;
  if (length > 0) WriteConsoleW(console, wide.data(), static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace

std::size_t WholeCharactersLength(std::string_view bytes) {
  for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
    const unsigned char byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? bytes.size() - back : bytes.size();
  }
  return bytes.size();
}

WideConsoleRelay::WideConsoleRelay(HANDLE console, bool relayStdout, bool relayStderr)
    : console_(console) {
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd_, &writeEnd, nullptr, 64 * 1024)) {
    readEnd_ = nullptr;
    return;
  }
  const int pipeFd = _open_osfhandle(reinterpret_cast<intptr_t>(writeEnd), _O_TEXT);
  if (pipeFd < 0) {
    CloseHandle(writeEnd);
    CloseHandle(readEnd_);
    readEnd_ = nullptr;
    return;
  }
  std::fflush(stdout);
  std::fflush(stderr);
  if (relayStdout) savedStdout_ = Redirect(1, pipeFd, STD_OUTPUT_HANDLE);
  if (relayStderr) savedStderr_ = Redirect(2, pipeFd, STD_ERROR_HANDLE);
  _close(pipeFd);  // the streams hold their own copies of the write end
  pump_ = std::thread([this] { Pump(); });
}

WideConsoleRelay::~WideConsoleRelay() {
  if (readEnd_ == nullptr) return;
  std::fflush(stdout);
  std::fflush(stderr);
  // Closing the last write end ends the pump once it has shown the rest.
  Restore(1, savedStdout_, STD_OUTPUT_HANDLE);
  Restore(2, savedStderr_, STD_ERROR_HANDLE);
  if (pump_.joinable()) pump_.join();
  CloseHandle(readEnd_);
}

void WideConsoleRelay::Pump() {
  std::string pending;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(readEnd_, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    pending.append(buffer, got);
    const std::size_t whole = WholeCharactersLength(pending);
    Show(console_, pending.substr(0, whole));
    pending.erase(0, whole);
  }
  Show(console_, pending);  // a cut character at the very end, as it is
}

}  // namespace vrxtool
