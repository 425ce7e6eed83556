// The module loader's six commands.  Each exchange is one host byte and one
// answer byte (a ReadByte with the link's read time-out) before the next.
//
// Results: 0 success; 1 (LoaderConnect) the application answered and the
// mode change is needed; -1 a platform write or read failed; -2 no answer,
// an unexpected answer, a short record or a record refused five times;
// -3 erase failure reported; -4 write failure reported; -5 length above
// 0x8000 or not a multiple of 128; -6 address not a multiple of 128.
// Commands leave the link open and log nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "serial_link.h"

namespace vrx {

inline constexpr std::size_t kLoaderRecordSize = 128;
inline constexpr uint8_t kEraseMaskBlock0 = 0x01;
inline constexpr uint8_t kEraseMaskBlock4 = 0x10;

// Pauses after the mode changes, before anything else is sent.
inline constexpr std::chrono::milliseconds kPauseAfterEnter{100};
inline constexpr std::chrono::milliseconds kPauseAfterExit{1000};

// The record checksum: sum of the bytes modulo 65536.
uint16_t RecordChecksum(std::span<const uint8_t, kLoaderRecordSize> record);

int LoaderConnect(SerialLink& link);  // 0xC4: 0 loader active, 1 application
int LoaderEnter(SerialLink& link);    // 0xC3, 0x3C, then 100 ms
int LoaderReadBlock(SerialLink& link, uint32_t address,
                    std::span<uint8_t, kLoaderRecordSize> record);
int LoaderEraseBlocks(SerialLink& link, uint8_t mask);
// Writes `length` bytes of `data` from `address` in 128-byte records (the
// last padded with 0xFF; a length of 0 still writes one record of 0xFF).
int LoaderWrite(SerialLink& link, uint32_t address, const uint8_t* data, std::size_t length);
int LoaderExit(SerialLink& link);  // 0x5D, then 1000 ms

}  // namespace vrx
