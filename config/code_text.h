// Scan-code notation: make and break codes as text ("E0,F0,75").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vrx {

inline constexpr int kMaxCodeBytes = 31;

// All texts are Shift_JIS (code page 932) bytes.
bool IsValidCodeText(std::string_view text);
int CodeTextToBytes(std::string_view text, uint8_t out[kMaxCodeBytes]);
std::string BytesToCodeText(const uint8_t* bytes, int n);
// The bytes a code text stands for; none when it is not valid.  Two texts
// name the same codes when their bytes are equal ("e0,75" and "0xE0,075").
std::vector<uint8_t> CodeTextBytes(std::string_view text);
// A valid text in canonical form ("e0 f0 75" gives "E0,F0,75"), as a data
// file stores it; any other text unchanged.
std::string CanonicalCodeText(std::string_view text);

}  // namespace vrx
