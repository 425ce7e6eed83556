#include "editor/core/key_description.h"

#include <gtest/gtest.h>

namespace vrx::editor {
namespace {

TEST(KeyDescriptionTest, TheTooltipNamesTheKeyItsPlaceItsCodesAndThePcKey) {
  EXPECT_EQ(KeyTooltipText(0, KeyEntry{}), "キー1 (ROW0/COL0)");
  EXPECT_EQ(KeyTooltipText(16, KeyEntry{true, "E0,75", "E0,F0,75"}),
            "キー17 (ROW1/COL0)\nMake: E0,75\nBreak: E0,F0,75\n↑");
  EXPECT_EQ(KeyTooltipText(127, KeyEntry{false, "E1,14,77,E1,F0,14,F0,77", ""}),
            "キー128 (ROW7/COL15)\nMake: E1,14,77,E1,F0,14,F0,77\nBreak: \nPause");
  // Typed in another notation, the codes are the same bytes.
  EXPECT_EQ(KeyNameForMakeCode("1c"), "A");
  EXPECT_EQ(KeyNameForMakeCode("0x6A"), "¥");
  // Keys that cannot be captured have names too.
  EXPECT_EQ(KeyTooltipText(5, KeyEntry{true, "E0,1F", "E0,F0,1F"}),
            "キー6 (ROW0/COL5)\nMake: E0,1F\nBreak: E0,F0,1F\n左Windows");
  // Codes no named key sends show the codes only.
  EXPECT_EQ(KeyTooltipText(5, KeyEntry{true, "E0,1E", "E0,F0,1E"}),
            "キー6 (ROW0/COL5)\nMake: E0,1E\nBreak: E0,F0,1E");
  EXPECT_EQ(KeyNameForMakeCode("E0,,75"), "");
  // As `show` writes them, and a long code over several lines.
  std::string longest;
  for (int i = 0; i < 31; ++i) longest += (i ? " " : "") + std::string("0e0");
  EXPECT_EQ(KeyTooltipText(1, KeyEntry{true, longest, "f0 1c"}),
            "キー2 (ROW0/COL1)\n"
            "Make: E0,E0,E0,E0,E0,E0,E0,E0,\n"
            "      E0,E0,E0,E0,E0,E0,E0,E0,\n"
            "      E0,E0,E0,E0,E0,E0,E0,E0,\n"
            "      E0,E0,E0,E0,E0,E0,E0\n"
            "Break: F0,1C");
  EXPECT_TRUE(HasCodes(KeyEntry{true, "", "F0,1C"}));
  EXPECT_FALSE(HasCodes(KeyEntry{}));
}

}  // namespace
}  // namespace vrx::editor
