#include <gtest/gtest.h>

#include "platform/sjis.h"

namespace vrx {
namespace {

TEST(Sjis, ConvertsBothWays) {
  // Bytes as a Shift_JIS chart gives them.
  const std::string utf8 = "予約ｱA";
  const std::string cp932 =
      "\x97\x5C\x96\xF1\xB1"
      "A";
  EXPECT_EQ(Utf8ToCp932(utf8), cp932);
  EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
  EXPECT_EQ(Utf8ToCp932(""), "");
}

TEST(Sjis, RefusesWhatCodePage932CannotHold) {
  EXPECT_EQ(Utf8ToCp932("key \xF0\x9F\x98\x80"), std::nullopt);  // an emoji
  EXPECT_EQ(Utf8ToCp932("\xC3\x28"), std::nullopt);              // broken UTF-8
  EXPECT_EQ(Utf8ToCp932("\xE4\xBA"), std::nullopt);              // cut-off UTF-8
}

TEST(Sjis, ShowsBrokenShiftJisWithReplacementCharacters) {
  // 0x81 starts a double-byte character that never comes; 0xA0 is unused.
  EXPECT_EQ(Cp932ToUtf8("A\xA0"
                        "B"),
            "A\xEF\xBF\xBD"
            "B");
  EXPECT_EQ(Cp932ToUtf8("AB\x81"), "AB\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vrx
