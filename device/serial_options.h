#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace vrx {

class SerialPort;
struct SerialOptions;

// An open port, or no port and why: the platform's reason as an errno
// value (Windows' errors are mapped onto them).
struct PortOpening {
  std::unique_ptr<SerialPort> port;
  int error = 0;
};

// Opens one port at a bit rate.
using PortOpener = std::function<PortOpening(const std::string& portName, int bitRate,
                                             const SerialOptions& options)>;

// Waits out one of the loader's fixed pauses.
using PauseFunction = std::function<void(std::chrono::milliseconds)>;

// True once the session's caller wants it to stop (Ctrl-C, a window
// closing).  Sessions ask it only where stopping leaves the module in step:
// between commands and between a write's records.
using CancelCheck = std::function<bool()>;

// How a link reaches and waits for the device.  The programs always use the
// defaults (the real port, 2000 ms time-outs, real pauses); tests of silent
// devices shorten the time-outs and scripted tests replace port and pauses.
struct SerialOptions {
  std::chrono::milliseconds readTimeout{2000};
  std::chrono::milliseconds writeTimeout{2000};
  PortOpener openPort;  // empty: the platform's serial port by name
  PauseFunction pause;  // empty: sleep for real
  CancelCheck cancelled;  // empty: never cancelled
};

}  // namespace vrx
