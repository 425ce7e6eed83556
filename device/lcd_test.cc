#include "lcd_test.h"

#include <cerrno>

#include "bit_rate.h"
#include "device_commands.h"
#include "interrupt.h"
#include "message_table.h"

namespace vrx {
namespace {

// The device steps of the test; 0 or the first non-zero command result.
int SendCharactersToLcd(SerialLink& link, const std::array<uint8_t, 64>& cgram) {
  if (int r = LcdStart(link)) return r;
  if (int r = LcdCommand(link, 0x40)) return r;  // CGRAM address 0
  for (uint8_t row : cgram) {
    if (int r = LcdData(link, row)) return r;
  }
  if (int r = LcdCommand(link, 0x80)) return r;  // display address 0
  if (int r = LcdCommand(link, 0x0E)) return r;  // display on, cursor on, no blink
  for (uint8_t code = 0; code < 8; ++code) {     // the eight user characters
    if (int r = LcdData(link, code)) return r;
  }
  return 0;
}

}  // namespace

int RunLcdTest(const std::string& portName, int speedIndex, const std::array<uint8_t, 64>& cgram,
               const SerialOptions& options, std::string* cause) {
  std::string unused;
  std::string& explanation = cause ? *cause : unused;
  explanation.clear();
  if (portName.empty()) return editor_msg::kNoPortSelected;
  const InterruptScope catchInterrupts;  // outlives the link: the port closes first
  const int bitRate = BitRateForSpeedIndex(speedIndex);
  auto link = SerialLink::Open(portName, bitRate, options);
  if (!link) {
    const int error = errno;
    explanation = ExplainOpenFailure(portName, bitRate, error, options);
    return editor_msg::kPortOpenFailed;
  }
  const int result = SendCharactersToLcd(*link, cgram);
  link->Close();
  if (result == 0) return 0;
  if (!InterruptRequested()) explanation = ExplainSilentLink(portName, options);
  return editor_msg::kDeviceError;
}

}  // namespace vrx
