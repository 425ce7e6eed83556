// The byte-level seam under SerialLink: one open serial port.  The platform
// backend (serial_port_linux.cc, serial_port_win32.cc) and
// the scripted FakePort of the tests implement it.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "device/serial_options.h"

namespace vrx {

class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Sends one byte; false when the platform call failed or timed out.
  virtual bool WriteByte(uint8_t byte) = 0;
  // Waits until `count` bytes have arrived or `timeout` has passed, whichever
  // comes first (one deadline for the whole request).  Returns the number of
  // bytes received, or -1 when the platform call failed (device gone).
  virtual int Read(uint8_t* buffer, std::size_t count, std::chrono::milliseconds timeout) = 0;
  // Releases the port; further calls fail.  Idempotent.
  virtual void Close() = 0;
};

// Opens a serial device by path with the module's framing (8 data bits, even
// parity generated, parity checking off, one stop bit, raw, XON/XOFF off),
// exclusively.  No port, with the reason, when the device is missing, in
// use, or refuses the settings; a bit rate the platform cannot set (0
// included, which would hang up the line) is refused (EINVAL) before the
// device is touched.
PortOpening OpenPlatformSerialPort(const std::string& devicePath, int bitRate,
                                   const SerialOptions& options);

}  // namespace vrx
