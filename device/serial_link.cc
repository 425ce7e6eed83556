#include "device/serial_link.h"

#include <cerrno>
#include <thread>

#include "platform/port_diagnosis.h"
#include "platform/port_names.h"

namespace vrx {

LinkOpening SerialLink::Open(const std::string& portName, int bitRate,
                             const SerialOptions& options) {
  PortOpening opened;
  if (options.openPort) {
    opened = options.openPort(portName, bitRate, options);
  } else {
    const std::string devicePath = ResolvePortName(portName);
    if (devicePath.empty()) return {std::nullopt, ENOENT};
    opened = OpenPlatformSerialPort(devicePath, bitRate, options);
  }
  if (!opened.port) return {std::nullopt, opened.error};
  return {SerialLink(std::move(opened.port), options)};
}

SerialLink::SerialLink(std::unique_ptr<SerialPort> port, SerialOptions options)
    : port_(std::move(port)), options_(std::move(options)) {}

SerialLink::~SerialLink() { Close(); }

bool SerialLink::WriteByte(uint8_t byte) { return port_ && port_->WriteByte(byte); }

SerialLink::ReadStatus SerialLink::ReadByte(uint8_t& byte) {
  int got = ReadBytes(&byte, 1);
  if (got < 0) return ReadStatus::kFailed;
  return got == 1 ? ReadStatus::kByte : ReadStatus::kTimedOut;
}

int SerialLink::ReadBytes(uint8_t* buffer, std::size_t count) {
  if (!port_) return -1;
  return port_->Read(buffer, count, options_.readTimeout);
}

void SerialLink::Pause(std::chrono::milliseconds duration) const {
  if (options_.pause) {
    options_.pause(duration);
  } else {
    std::this_thread::sleep_for(duration);
  }
}

void SerialLink::Close() {
  if (!port_) return;
  port_->Close();
  port_.reset();
}

PortDiagnosis DiagnoseOpenFailure(const std::string& portName, int bitRate, int error,
                                  const SerialOptions& options) {
  if (options.openPort && !portName.empty() && bitRate > 0) return {};
  return DiagnosePortOpenFailure(portName, bitRate, error);
}

PortDiagnosis DiagnoseSilentLink(const std::string& portName, const SerialOptions& options) {
  return options.openPort ? PortDiagnosis{} : DiagnoseSilentPort(portName);
}

}  // namespace vrx
