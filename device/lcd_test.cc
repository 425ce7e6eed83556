#include "device/lcd_test.h"

#include "config/bit_rate.h"
#include "device/device_commands.h"

namespace vrx {
namespace {

// The device steps of the test; kOk when every command was acknowledged,
// else the first that was not.
LinkResult SendCharactersToLcd(SerialLink& link, const std::array<uint8_t, 64>& cgram) {
  constexpr auto kOk = LinkResult::kOk;
  if (LinkResult r = LcdStart(link); r != kOk) return r;
  if (LinkResult r = LcdCommand(link, 0x40); r != kOk) return r;  // CGRAM address 0
  for (uint8_t row : cgram) {
    if (LinkResult r = LcdData(link, row); r != kOk) return r;
  }
  if (LinkResult r = LcdCommand(link, 0x80); r != kOk) return r;  // display address 0
  // Display on, cursor on, no blink.
  if (LinkResult r = LcdCommand(link, 0x0E); r != kOk) return r;
  for (uint8_t code = 0; code < 8; ++code) {  // the eight user characters
    if (LinkResult r = LcdData(link, code); r != kOk) return r;
  }
  return kOk;
}

}  // namespace

LcdTestResult RunLcdTest(const std::string& portName, int speedIndex,
                         const std::array<uint8_t, 64>& cgram, const SerialOptions& options,
                         PortDiagnosis* cause) {
  PortDiagnosis unused;
  PortDiagnosis& explanation = cause ? *cause : unused;
  explanation = {};
  if (portName.empty()) return LcdTestResult::kNoPortSelected;
  const int bitRate = BitRateForSpeedIndex(speedIndex);
  auto [link, error] = SerialLink::Open(portName, bitRate, options);
  if (!link) {
    explanation = DiagnoseOpenFailure(portName, bitRate, error, options);
    return LcdTestResult::kPortOpenFailed;
  }
  const LinkResult shown = SendCharactersToLcd(*link, cgram);
  link->Close();
  if (shown == LinkResult::kOk) return LcdTestResult::kOk;
  if (shown == LinkResult::kInterrupted) return LcdTestResult::kInterrupted;
  explanation = DiagnoseSilentLink(portName, options);
  return LcdTestResult::kDeviceError;
}

}  // namespace vrx
