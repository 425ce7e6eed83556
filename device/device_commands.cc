#include "device_commands.h"

namespace vrx {

int SendCommandByte(SerialLink& link, uint8_t byte) {
  constexpr int kMaxSends = 2;  // one resend on 0xFE, never a third send
  for (int sends = 1;; ++sends) {
    if (!link.WriteByte(byte)) return -1;
    uint8_t answer = 0;
    switch (link.ReadByte(answer)) {
      case SerialLink::ReadStatus::kFailed: return -1;
      case SerialLink::ReadStatus::kTimedOut: return -2;
      case SerialLink::ReadStatus::kByte: break;
    }
    if (answer == device_answer::kAck) return 0;
    if (answer == device_answer::kRefused) return -3;
    if (answer != device_answer::kResend || sends >= kMaxSends) return -2;
  }
}

int SendCommandPair(SerialLink& link, uint8_t first, uint8_t second) {
  if (int result = SendCommandByte(link, first); result != 0) return result;
  return SendCommandByte(link, second);
}

int LcdStart(SerialLink& link) { return SendCommandByte(link, lcd_command::kStart); }

int LcdCommand(SerialLink& link, uint8_t value) {
  return SendCommandPair(link, lcd_command::kInstruction, value);
}

int LcdData(SerialLink& link, uint8_t value) {
  return SendCommandPair(link, lcd_command::kData, value);
}

}  // namespace vrx
