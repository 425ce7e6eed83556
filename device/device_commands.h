// The editor's acknowledged device commands: every byte is answered 0xFA by
// the module; 0xFE asks for it once more.
#pragma once

#include <cstdint>

#include "device/serial_link.h"

namespace vrx {

enum class LinkResult {
  kOk = 0,           // every byte acknowledged
  kPortFailed = -1,  // a platform write or read failed
  kNoAnswer = -2,    // no answer within the read time-out, an unexpected answer,
                     // or a second resend request for the same byte
  kRefused = -3,     // the module answered 0xF1
  kInterrupted = -4,  // the link's cancellation check stopped it before a
                      // command's first byte (never between a pair's bytes)
};

namespace device_answer {
inline constexpr uint8_t kAck = 0xFA;
inline constexpr uint8_t kResend = 0xFE;
inline constexpr uint8_t kRefused = 0xF1;
}  // namespace device_answer

namespace lcd_command {
inline constexpr uint8_t kStart = 0xD5;
inline constexpr uint8_t kInstruction = 0xD7;
inline constexpr uint8_t kData = 0xD9;
}  // namespace lcd_command

LinkResult SendCommandByte(SerialLink& link, uint8_t byte);
// The second byte is sent only when the first was acknowledged.
LinkResult SendCommandPair(SerialLink& link, uint8_t first, uint8_t second);

LinkResult LcdStart(SerialLink& link);                   // 0xD5
LinkResult LcdCommand(SerialLink& link, uint8_t value);  // 0xD7 v: an LCD instruction
LinkResult LcdData(SerialLink& link, uint8_t value);     // 0xD9 v: an LCD data byte

}  // namespace vrx
