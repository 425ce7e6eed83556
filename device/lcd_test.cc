#include "device/lcd_test.h"

#include <cerrno>

#include "config/bit_rate.h"
#include "device/device_commands.h"
#include "platform/interrupt.h"

namespace vrx {
namespace {

// The device steps of the test; true when every command was acknowledged.
bool SendCharactersToLcd(SerialLink& link, const std::array<uint8_t, 64>& cgram) {
  constexpr auto kOk = LinkResult::kOk;
  if (LcdStart(link) != kOk) return false;
  if (LcdCommand(link, 0x40) != kOk) return false;  // CGRAM address 0
  for (uint8_t row : cgram) {
    if (LcdData(link, row) != kOk) return false;
  }
  if (LcdCommand(link, 0x80) != kOk) return false;  // display address 0
  if (LcdCommand(link, 0x0E) != kOk) return false;  // display on, cursor on, no blink
  for (uint8_t code = 0; code < 8; ++code) {        // the eight user characters
    if (LcdData(link, code) != kOk) return false;
  }
  return true;
}

}  // namespace

LcdTestResult RunLcdTest(const std::string& portName, int speedIndex,
                         const std::array<uint8_t, 64>& cgram, const SerialOptions& options,
                         PortDiagnosis* cause) {
  PortDiagnosis unused;
  PortDiagnosis& explanation = cause ? *cause : unused;
  explanation = {};
  if (portName.empty()) return LcdTestResult::kNoPortSelected;
  const InterruptScope catchInterrupts;  // outlives the link: the port closes first
  const int bitRate = BitRateForSpeedIndex(speedIndex);
  auto link = SerialLink::Open(portName, bitRate, options);
  if (!link) {
    const int error = errno;
    explanation = DiagnoseOpenFailure(portName, bitRate, error, options);
    return LcdTestResult::kPortOpenFailed;
  }
  const bool shown = SendCharactersToLcd(*link, cgram);
  link->Close();
  if (shown) return LcdTestResult::kOk;
  if (!InterruptRequested()) explanation = DiagnoseSilentLink(portName, options);
  return LcdTestResult::kDeviceError;
}

}  // namespace vrx
