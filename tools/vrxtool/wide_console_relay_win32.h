// Everything vrxtool prints is UTF-8, through C stdio and iostreams alike.
// A Windows console shows that right, whatever its code page and on Wine
// too, only through its wide API.  While a relay lives, the C library's
// stdout and stderr (those that are the console) write into a pipe, and a
// thread hands the text on to WriteConsoleW in whole characters.  Both
// streams share the one pipe, so their lines keep the order they were
// written in.
#pragma once

#include <windows.h>

#include <string_view>
#include <thread>

namespace vrxtool {

// Length of `bytes`' leading part that ends on a whole UTF-8 character: a
// character cut at the end of a read waits for its other bytes.
std::size_t WholeCharactersLength(std::string_view bytes);

class WideConsoleRelay {
 public:
  // Relays the streams among stdout and stderr that are the console
  // `console`.
  WideConsoleRelay(HANDLE console, bool relayStdout, bool relayStderr);
  // Flushes both streams, gives them back their console and waits until the
  // console has shown everything.
  ~WideConsoleRelay();
  WideConsoleRelay(const WideConsoleRelay&) = delete;
  WideConsoleRelay& operator=(const WideConsoleRelay&) = delete;

  bool relaying() const { return readEnd_ != nullptr; }

 private:
  void Pump();

  HANDLE console_;
  HANDLE readEnd_ = nullptr;
  int savedStdout_ = -1;  // the stream's own descriptor, while relayed
  int savedStderr_ = -1;
  std::thread pump_;
};

}  // namespace vrxtool
