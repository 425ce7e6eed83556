// Scan-code notation: make and break codes as text ("E0,F0,75").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vrx {

inline constexpr int kMaxCodeBytes = 31;

// All texts are Shift_JIS (code page 932) bytes.
bool IsValidCodeText(std::string_view text);
int CodeTextToBytes(std::string_view text, uint8_t out[kMaxCodeBytes]);
std::string BytesToCodeText(const uint8_t* bytes, int n);

struct CapturedKey {
  std::string makeCode;
  std::string breakCode;
  bool typematic = true;
};

// Windows virtual-key code of a key-down to the key's codes; nothing when
// the key cannot be captured.
std::optional<CapturedKey> TranslateCapturedKey(unsigned virtualKey);

}  // namespace vrx
