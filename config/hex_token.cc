#include "config/hex_token.h"

#include <limits>

namespace vrx {
namespace {

uint32_t HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
  return static_cast<uint32_t>(c - 'A' + 10);
}

}  // namespace

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

HexToken ReadHexToken(std::string_view text, std::size_t start) {
  HexToken token{0, start};
  std::size_t pos = start;
  // "0x" without a digit after it is the number 0 followed by an "x".
  if (pos + 2 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X') &&
      IsHexDigit(text[pos + 2])) {
    pos += 2;
  }
  constexpr uint32_t kSaturated = std::numeric_limits<uint32_t>::max();
  bool anyDigit = false;
  for (; pos < text.size() && IsHexDigit(text[pos]); ++pos) {
    anyDigit = true;
    const uint32_t digit = HexDigitValue(text[pos]);
    token.value = token.value > (kSaturated >> 4) ? kSaturated : (token.value << 4) | digit;
  }
  if (anyDigit) token.end = pos;
  return token;
}

}  // namespace vrx
