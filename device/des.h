// The Data Encryption Standard (FIPS 46-3) on one 64-bit block.  The writer
// uses it to decipher the firmware it carries; the packaging step enciphers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vrx {

inline constexpr int kDesEncipher = 0;
inline constexpr int kDesDecipher = 1;
inline constexpr int kDesBlockSize = 8;

// Enciphers (mode 0) or deciphers (mode 1) `block` in place with `key`.
// Bit 1 of the standard is the most significant bit of byte 0.  The parity
// bit of each key byte (its least significant bit) is ignored.  No state is
// kept: the subkeys are derived from `key` on every call.
void DesProcessBlock(const uint8_t key[8], uint8_t block[8], int mode);

// Electronic-codebook use: processes each 8-byte block of `data` in place,
// with no chaining.  The size of `data` must be a multiple of 8.
void DesProcessBlocks(const uint8_t key[8], std::span<uint8_t> data, int mode);

}  // namespace vrx
