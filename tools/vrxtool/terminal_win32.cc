#include <windows.h>

#include <cstdio>

#include "tools/vrxtool/terminal.h"
#include "tools/vrxtool/wide_console_relay_win32.h"

namespace vrxtool {
namespace {

bool IsConsole(DWORD which) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

// Turns on escapes for one console handle; false when the console cannot
// (before Windows 10) or the handle is no console.
bool EnableEscapes(DWORD which, unsigned long& saved) {
  const HANDLE handle = GetStdHandle(which);
  DWORD mode = 0;
  if (!GetConsoleMode(handle, &mode)) return false;
  saved = mode;
  return SetConsoleMode(handle,
                        mode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

// The C library hands an unbuffered console one byte per call, which cuts
// a character's UTF-8 bytes apart; whole lines go out as one piece, since
// vrxtool flushes wherever a reader waits for text.
void BufferWhole(std::FILE* stream, DWORD which) {
  if (IsConsole(which)) std::setvbuf(stream, nullptr, _IOFBF, 4096);
}

}  // namespace

bool StdoutIsTerminal() { return IsConsole(STD_OUTPUT_HANDLE); }
bool StderrIsTerminal() { return IsConsole(STD_ERROR_HANDLE); }

int StderrColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) return 80;
  const int columns = info.srWindow.Right - info.srWindow.Left + 1;
  return columns > 0 ? columns : 80;
}

bool StderrTakesEscapes() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0 &&
         (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

ConsoleSession::ConsoleSession() {
  const bool out = StdoutIsTerminal();
  const bool err = StderrIsTerminal();
  if (!out && !err) return;
  BufferWhole(stdout, STD_OUTPUT_HANDLE);
  BufferWhole(stderr, STD_ERROR_HANDLE);
  outputModeSet_ = EnableEscapes(STD_OUTPUT_HANDLE, savedOutputMode_);
  errorModeSet_ = EnableEscapes(STD_ERROR_HANDLE, savedErrorMode_);
  relay_ = std::make_unique<WideConsoleRelay>(GetStdHandle(out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE),
                                              out, err);
  if (relay_->relaying()) return;
  // No pipe to be had: the console's code page shows UTF-8 on most consoles.
  relay_.reset();
  savedCodePage_ = GetConsoleOutputCP();
  SetConsoleOutputCP(CP_UTF8);
}

ConsoleSession::~ConsoleSession() {
  relay_.reset();  // everything shown before the modes change back
  std::fflush(stdout);
  std::fflush(stderr);
  // Both handles may be one console: the first saved mode is the original.
  if (errorModeSet_) SetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), savedErrorMode_);
  if (outputModeSet_) SetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), savedOutputMode_);
  if (savedCodePage_ != 0) SetConsoleOutputCP(savedCodePage_);
}

}  // namespace vrxtool
