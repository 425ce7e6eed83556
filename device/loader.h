// The module loader's six commands.  Each exchange is one host byte and one
// answer byte (a ReadByte with the link's read time-out) before the next.
//
// Commands return a LoaderResult, leave the link open and log nothing.
//
// A cancelled link (SerialLink::Cancelled) stops a command only where the
// loader is left idle and in step with the host: before a command's first
// byte, and inside a write after a record's status byte, where the write
// frame is closed with 0x5C as after a refused record.  A read takes its
// whole record and an erase its status byte first (each bounded by the
// read time-out), so the next connect finds the loader waiting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/serial_link.h"

namespace vrx {

// The loader's fixed result numbers.
enum class LoaderResult {
  kOk = 0,
  kApplication = 1,   // LoaderConnect: the application answered; mode change needed
  kPortFailed = -1,   // a platform write or read failed
  kNoAnswer = -2,     // no answer, an unexpected one, a short record, or a
                      // record refused five times
  kEraseFailed = -3,  // the module reported an erase failure
  kWriteFailed = -4,  // the module reported a write failure
  kBadLength = -5,    // length above 0x8000 or not a multiple of 128
  kBadAddress = -6,   // address not a multiple of 128
  kInterrupted = -7,  // the link's cancellation check stopped the command
                      // where the module stays in step (see below)
};

inline constexpr std::size_t kLoaderRecordSize = 128;
inline constexpr uint8_t kEraseMaskBlock0 = 0x01;
inline constexpr uint8_t kEraseMaskBlock4 = 0x10;

// Pauses after the mode changes, before anything else is sent.
inline constexpr std::chrono::milliseconds kPauseAfterEnter{100};
inline constexpr std::chrono::milliseconds kPauseAfterExit{1000};

// The record checksum: sum of the bytes modulo 65536.
uint16_t RecordChecksum(std::span<const uint8_t, kLoaderRecordSize> record);

LoaderResult LoaderConnect(SerialLink& link);  // 0xC4: kOk loader active, or kApplication
LoaderResult LoaderEnter(SerialLink& link);    // 0xC3, 0x3C, then 100 ms
LoaderResult LoaderReadBlock(SerialLink& link, uint32_t address,
                             std::span<uint8_t, kLoaderRecordSize> record);
LoaderResult LoaderEraseBlocks(SerialLink& link, uint8_t mask);
// Writes `length` bytes of `data` from `address` in 128-byte records (the
// last padded with 0xFF; a length of 0 still writes one record of 0xFF).
LoaderResult LoaderWrite(SerialLink& link, uint32_t address, const uint8_t* data,
                         std::size_t length);
LoaderResult LoaderExit(SerialLink& link);  // 0x5D, then 1000 ms

}  // namespace vrx
