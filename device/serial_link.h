// One open serial port with the module's framing and time-outs: the layer
// through which the editor's device commands and the writer's loader
// commands reach the module, one byte at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "device/serial_options.h"
#include "device/serial_port.h"
#include "platform/port_diagnosis.h"

namespace vrx {

struct LinkOpening;

class SerialLink {
 public:
  enum class ReadStatus { kByte, kTimedOut, kFailed };

  // Opens `portName` ("COM1".."COM9", resolved through the port mapping, or
  // a device path beginning with "/") at `bitRate`, exclusively.  No link,
  // with the platform's reason, when the port is missing, in use, or
  // refuses the rate (0 included).
  static LinkOpening Open(const std::string& portName, int bitRate,
                          const SerialOptions& options = {});

  // Wraps an already open port (tests, simulators).
  SerialLink(std::unique_ptr<SerialPort> port, SerialOptions options);

  SerialLink(SerialLink&&) noexcept = default;
  SerialLink& operator=(SerialLink&&) noexcept = default;
  ~SerialLink();

  bool WriteByte(uint8_t byte);
  // kByte with `byte` set, kTimedOut after the read time-out, or kFailed.
  ReadStatus ReadByte(uint8_t& byte);
  // Bytes received within one read time-out (up to `count`), or -1 failed.
  int ReadBytes(uint8_t* buffer, std::size_t count);
  // Whether the caller asked the session to stop (options().cancelled).
  bool Cancelled() const { return options_.cancelled && options_.cancelled(); }
  // One of the loader's fixed pauses.
  void Pause(std::chrono::milliseconds duration) const;
  void Close();

  const SerialOptions& options() const { return options_; }

 private:
  std::unique_ptr<SerialPort> port_;
  SerialOptions options_;
};

// An open link, or none and why (an errno value, as PortOpening).
struct LinkOpening {
  std::optional<SerialLink> link;
  int error = 0;
};

// Why Open failed with `error`.  A scripted port (options.openPort)
// has no device to look at, so only a missing port or speed is found for it.
PortDiagnosis DiagnoseOpenFailure(const std::string& portName, int bitRate, int error,
                                  const SerialOptions& options);

// Other processes holding a port that does not answer; kNone when there are
// none (and for scripted ports).
PortDiagnosis DiagnoseSilentLink(const std::string& portName, const SerialOptions& options);

}  // namespace vrx
