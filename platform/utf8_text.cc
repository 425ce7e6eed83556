#include "platform/utf8_text.h"

namespace vrx {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

struct Sequence {
  std::size_t needed = 0;   // the length its first byte announces; 0 for a bad first byte
  std::size_t fitting = 0;  // how many of its bytes are there and fit
};

// The sequence at the start of `text`.  The second byte's range excludes
// overlong forms, surrogates and code points above U+10FFFF.
Sequence SequenceAt(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return {1, 1};
  Sequence sequence;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    sequence.needed = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    sequence.needed = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    sequence.needed = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {0, 1};
  }
  sequence.fitting = 1;
  while (sequence.fitting < sequence.needed && sequence.fitting < text.size()) {
    const auto next = static_cast<unsigned char>(text[sequence.fitting]);
    if (next < low || next > high) break;
    ++sequence.fitting;
    low = 0x80;
    high = 0xBF;
  }
  return sequence;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const Sequence sequence = SequenceAt(text);
    if (sequence.fitting == sequence.needed) {
      out.append(text.substr(0, sequence.needed));
    } else {
      out.append(kReplacement);
    }
    text.remove_prefix(sequence.fitting);
  }
  return out;
}

}  // namespace vrx
