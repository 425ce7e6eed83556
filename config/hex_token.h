// The unsigned base-16 number reader both the code texts and the data file
// use.  It behaves like strtoul(text, &end, 16) started on a hexadecimal
// digit, but is our own so that it never depends on the locale or the C
// runtime and never looks beyond the text it is given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vrx {

struct HexToken {
  // The number read; anything above 0xFFFFFFFF is held as 0xFFFFFFFF, which
  // keeps "above 0xFF" and the low byte of an overflowing run (0xFF) as
  // strtoul would give them.
  uint32_t value = 0;
  // Index of the first character not taken.  Equal to the start when no
  // digit was there (strtoul's "no conversion").
  std::size_t end = 0;
};

bool IsHexDigit(char c);

// Reads one number at text[start]: a "0x"/"0X" after a leading 0 is taken as
// a prefix only when a hexadecimal digit follows it, then the longest run of
// hexadecimal digits.
HexToken ReadHexToken(std::string_view text, std::size_t start);

}  // namespace vrx
