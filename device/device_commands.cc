#include "device/device_commands.h"

namespace vrx {
namespace {

LinkResult SendByte(SerialLink& link, uint8_t byte) {
  constexpr int kMaxSends = 2;  // one resend on 0xFE, never a third send
  for (int sends = 1;; ++sends) {
    if (!link.WriteByte(byte)) return LinkResult::kPortFailed;
    uint8_t answer = 0;
    switch (link.ReadByte(answer)) {
      case SerialLink::ReadStatus::kFailed:
        return LinkResult::kPortFailed;
      case SerialLink::ReadStatus::kTimedOut:
        return LinkResult::kNoAnswer;
      case SerialLink::ReadStatus::kByte:
        break;
    }
    if (answer == device_answer::kAck) return LinkResult::kOk;
    if (answer == device_answer::kRefused) return LinkResult::kRefused;
    if (answer != device_answer::kResend || sends >= kMaxSends) return LinkResult::kNoAnswer;
  }
}

}  // namespace

LinkResult SendCommandByte(SerialLink& link, uint8_t byte) {
  if (link.Cancelled()) return LinkResult::kInterrupted;
  return SendByte(link, byte);
}

LinkResult SendCommandPair(SerialLink& link, uint8_t first, uint8_t second) {
  if (link.Cancelled()) return LinkResult::kInterrupted;
  if (LinkResult result = SendByte(link, first); result != LinkResult::kOk) return result;
  return SendByte(link, second);
}

LinkResult LcdStart(SerialLink& link) { return SendCommandByte(link, lcd_command::kStart); }

LinkResult LcdCommand(SerialLink& link, uint8_t value) {
  return SendCommandPair(link, lcd_command::kInstruction, value);
}

LinkResult LcdData(SerialLink& link, uint8_t value) {
  return SendCommandPair(link, lcd_command::kData, value);
}

}  // namespace vrx
