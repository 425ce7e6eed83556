#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/code_text.h"
#include "config/hex_token.h"

namespace vrx {
namespace {

std::vector<uint8_t> ToBytes(std::string_view text) {
  uint8_t out[kMaxCodeBytes];
  const int n = CodeTextToBytes(text, out);
  return std::vector<uint8_t>(out, out + n);
}

std::string Tokens(int count, std::string_view token = "1C") {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += ',';
    text += token;
  }
  return text;
}

struct HexCase {
  std::string text;
  uint32_t value;
  std::size_t end;
};

TEST(HexToken, FollowsUnsignedBase16Conversion) {
  const HexCase cases[] = {
      {"1C", 0x1C, 2},
      {"1c,", 0x1C, 2},
      {"0x1F", 0x1F, 4},
      {"0X1f;", 0x1F, 4},
      {"0x", 0, 1},
      {"0xG", 0, 1},
      {"0x,12", 0, 1},
      {"001C", 0x1C, 4},
      {"00x1", 0, 2},
      {"FFF", 0xFFF, 3},
      {"E0G75", 0xE0, 2},
      {"1x2", 1, 1},
      {"FFFFFFFFFFFFFFFFFFFF1", 0xFFFFFFFF, 21},  // overflow keeps the low byte 0xFF
  };
  for (const HexCase& c : cases) {
    const HexToken token = ReadHexToken(c.text, 0);
    EXPECT_EQ(token.value, c.value) << c.text;
    EXPECT_EQ(token.end, c.end) << c.text;
  }
}

TEST(HexToken, NeverLooksPastTheGivenText) {
  const std::string backing = "0x1F";
  // Only "0x" is visible: the digit after it must not be taken.
  const HexToken token = ReadHexToken(std::string_view(backing).substr(0, 2), 0);
  EXPECT_EQ(token.value, 0u);
  EXPECT_EQ(token.end, 1u);
  EXPECT_EQ(ReadHexToken("AB", 2).end, 2u);
}

TEST(CodeText, AcceptsTextsOfTheNotation) {
  for (const std::string text : {"", "1C", "1c", "E0,75", "E0 75", "E0-75", "E0G75", "E0x75", "0FF",
                                 "0x1F", "001C", "E1,14,77,E1,F0,14,F0,77"}) {
    EXPECT_TRUE(IsValidCodeText(text)) << '"' << text << '"';
  }
  EXPECT_TRUE(IsValidCodeText(Tokens(31)));
}

TEST(CodeText, RefusesMalformedTexts) {
  for (const std::string text : {"E0, 75", "E0,,75", "E0,", ",E0", " E0", "100", "FFF", "G", "x1",
                                 "E0,F0,", "FFFFFFFFFFFFFFFFFF", "0x", "1C\xFF"}) {
    EXPECT_FALSE(IsValidCodeText(text)) << '"' << text << '"';
  }
  EXPECT_FALSE(IsValidCodeText(Tokens(32)));
  // A full-width comma is two bytes in Shift_JIS: two separators in a row.
  EXPECT_FALSE(
      IsValidCodeText("E0\x81\x43"
                      "75"));
  // A half-width katakana is one byte: one separator.
  EXPECT_TRUE(
      IsValidCodeText("E0\xB1"
                      "75"));
}

TEST(CodeText, ConvertsTokensToBytes) {
  EXPECT_EQ(ToBytes(""), std::vector<uint8_t>{});
  EXPECT_EQ(ToBytes("1c"), (std::vector<uint8_t>{0x1C}));
  for (const char* text : {"E0 75", "E0,75", "E0-75", "E0G75"}) {
    EXPECT_EQ(ToBytes(text), (std::vector<uint8_t>{0xE0, 0x75})) << text;
  }
  EXPECT_EQ(ToBytes("0FF,0x1F,001C"), (std::vector<uint8_t>{0xFF, 0x1F, 0x1C}));
  EXPECT_EQ(ToBytes(Tokens(31, "AB")), std::vector<uint8_t>(31, 0xAB));
}

TEST(CodeText, ConversionOfUncheckedTextsStaysInBounds) {
  // Only validated texts are converted in the programs, but nothing may
  // ever write more than 31 bytes or read past the text.
  EXPECT_EQ(ToBytes(Tokens(40, "AB")), std::vector<uint8_t>(31, 0xAB));
  EXPECT_EQ(ToBytes(std::string(100, ',')).size(), 31u);
  EXPECT_EQ(ToBytes("E0,"), (std::vector<uint8_t>{0xE0, 0x00}));
}

TEST(CodeText, FormatsCanonicalText) {
  const uint8_t bytes[] = {0xE0, 0xF0, 0x75, 0x0A};
  EXPECT_EQ(BytesToCodeText(bytes, 0), "");
  EXPECT_EQ(BytesToCodeText(bytes, 1), "E0");
  EXPECT_EQ(BytesToCodeText(bytes, 4), "E0,F0,75,0A");
}

TEST(CodeText, TypedTextBecomesCanonicalThroughBytes) {
  for (const char* text : {"1c", "e0 f0 75", "0x1F-0x0a", "00E0G75"}) {
    uint8_t bytes[kMaxCodeBytes];
    const int n = CodeTextToBytes(text, bytes);
    const std::string canonical = BytesToCodeText(bytes, n);
    uint8_t again[kMaxCodeBytes];
    ASSERT_EQ(CodeTextToBytes(canonical, again), n) << text;
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + n), std::vector<uint8_t>(again, again + n));
    EXPECT_TRUE(IsValidCodeText(canonical));
    EXPECT_EQ(CanonicalCodeText(text), canonical) << text;
  }
  EXPECT_EQ(CanonicalCodeText("0000000000005a,f0-00000000000000005A"), "5A,F0,5A");
  EXPECT_EQ(CanonicalCodeText("E0,,75"), "E0,,75") << "an invalid text is left as it is";
}

}  // namespace
}  // namespace vrx
