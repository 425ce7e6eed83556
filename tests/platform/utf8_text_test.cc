#include "platform/utf8_text.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

constexpr const char* kBad = "\xEF\xBF\xBD";

TEST(ValidUtf8Test, KeepsUtf8AndReplacesEachBadPartOnce) {
  EXPECT_EQ(ValidUtf8(""), "");
  EXPECT_EQ(ValidUtf8("keys.vrx"), "keys.vrx");
  EXPECT_EQ(ValidUtf8("キー配列 \xF0\x9F\x98\x80.vrx"), "キー配列 \xF0\x9F\x98\x80.vrx");
  // Latin-1 and Shift_JIS names.
  EXPECT_EQ(ValidUtf8("caf\xE9.vrx"), std::string("caf") + kBad + ".vrx");
  EXPECT_EQ(ValidUtf8("\x83\x4C\x81\x5B"), std::string(kBad) + "L" + kBad + "[");
  // A cut sequence is one bad part; what follows it stays.
  EXPECT_EQ(ValidUtf8("\xE3\x81" "A"), std::string(kBad) + "A");
  EXPECT_EQ(ValidUtf8("A\xE3\x81"), std::string("A") + kBad);
  // Overlong forms, surrogates and code points past U+10FFFF: byte by byte.
  EXPECT_EQ(ValidUtf8("\xC0\xAF"), std::string(kBad) + kBad);
  EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), std::string(kBad) + kBad + kBad);
  EXPECT_EQ(ValidUtf8("\xF4\x90\x80\x80"), std::string(kBad) + kBad + kBad + kBad);
  EXPECT_EQ(ValidUtf8("\xF4\x8F\xBF\xBF"), "\xF4\x8F\xBF\xBF");
}

}  // namespace
}  // namespace vrx
