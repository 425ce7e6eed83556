// Scan-code notation: make and break codes as text ("E0,F0,75").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vrx {

inline constexpr int kMaxCodeBytes = 31;

// All texts are Shift_JIS (code page 932) bytes.
bool IsValidCodeText(std::string_view text);
int CodeTextToBytes(std::string_view text, uint8_t out[kMaxCodeBytes]);
std::string BytesToCodeText(const uint8_t* bytes, int n);

}  // namespace vrx
