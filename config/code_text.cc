#include "config/code_text.h"

#include <cstdio>

#include "config/hex_token.h"

namespace vrx {

bool IsValidCodeText(std::string_view text) {
  if (text.empty()) return true;
  int tokens = 0;
  std::size_t pos = 0;
  for (;;) {
    // Every token, the first included, must start right on a digit: no
    // leading blank, no doubled separator, no separator at the end.
    if (pos >= text.size() || !IsHexDigit(text[pos])) return false;
    const HexToken token = ReadHexToken(text, pos);
    if (token.value > 0xFF) return false;
    ++tokens;
    pos = token.end;
    if (pos == text.size()) return tokens <= kMaxCodeBytes;
    ++pos;  // exactly one separator, whatever character it is
  }
}

int CodeTextToBytes(std::string_view text, uint8_t out[kMaxCodeBytes]) {
  int n = 0;
  std::size_t pos = 0;
  // Texts reaching here have passed IsValidCodeText; for anything else this
  // still stops at the text's end and after 31 bytes.
  while (!text.empty() && n < kMaxCodeBytes) {
    const HexToken token = ReadHexToken(text, pos);
    out[n++] = static_cast<uint8_t>(token.value & 0xFF);
    pos = token.end;
    if (pos >= text.size()) break;
    ++pos;
  }
  return n;
}

std::string BytesToCodeText(const uint8_t* bytes, int n) {
  std::string text;
  for (int i = 0; i < n; ++i) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
    if (i > 0) text += ',';
    text += digits;
  }
  return text;
}

std::vector<uint8_t> CodeTextBytes(std::string_view text) {
  uint8_t bytes[kMaxCodeBytes];
  const int count = IsValidCodeText(text) ? CodeTextToBytes(text, bytes) : 0;
  return {bytes, bytes + count};
}

std::string CanonicalCodeText(std::string_view text) {
  if (!IsValidCodeText(text)) return std::string(text);
  uint8_t bytes[kMaxCodeBytes];
  return BytesToCodeText(bytes, CodeTextToBytes(text, bytes));
}

}  // namespace vrx
