// The option page's boxes and speed list as bits of the ConfigImage.
#include "editor/core/option_fields.h"

#include <gtest/gtest.h>

#include "config/brr_value.h"

namespace vrx::editor {
namespace {

TEST(OptionFields, BoxesChangeTheirOwnBitsAndLeaveTheRestAlone) {
  ConfigImage config;
  config.optionWord = 0xFF80;  // bits 7..15 have no box
  config.poInitial = 0x0F;     // bits 0..3 have no box
  for (int bit = 0; bit < kOptionFlagCount; ++bit) SetOptionFlag(config, bit, bit % 2 == 0);
  for (int po = 0; po < kPoLevelCount; ++po) SetPoLevel(config, po, po == 3);
  EXPECT_EQ(config.optionWord, 0xFF80 | 0x55);
  EXPECT_EQ(config.poInitial, 0x8F);  // PO7 is bit 7

  SetOptionFlag(config, 6, false);
  SetPoLevel(config, 3, false);
  EXPECT_EQ(config.optionWord, 0xFF80 | 0x15);
  EXPECT_EQ(config.poInitial, 0x0F);
  for (int bit = 0; bit < kOptionFlagCount; ++bit)
    EXPECT_EQ(OptionFlag(config, bit), bit % 2 == 0 && bit != 6) << bit;
  EXPECT_FALSE(PoLevel(config, 0));
}

TEST(OptionFields, DefaultsShowTheDefaultBoxesAndSpeed) {
  const ConfigImage config;  // optionWord 0x000C, poInitial 0xFF, 38400 bit/s
  EXPECT_TRUE(OptionFlag(config, 2));
  EXPECT_TRUE(OptionFlag(config, 3));
  EXPECT_FALSE(OptionFlag(config, 0));
  for (int po = 0; po < kPoLevelCount; ++po) EXPECT_TRUE(PoLevel(config, po));
  EXPECT_EQ(SpeedEntryForBrrValue(config.brrValue), 4);
}

TEST(OptionFields, SpeedEntryForEveryRegisterValue) {
  for (int index = 0; index < 6; ++index)
    EXPECT_EQ(SpeedEntryForBrrValue(BrrValueForSpeedIndex(index)), index);
  // 128000 bit/s has a register value but no entry; 0x00 is no speed's.
  EXPECT_EQ(SpeedEntryForBrrValue(BrrValueForSpeedIndex(6)), -1);
  EXPECT_EQ(SpeedEntryForBrrValue(0x00), std::nullopt);
}

TEST(OptionFields, CopyTakesExactlyTheThreeOptionFields) {
  ConfigImage from;
  from.optionWord = 0x1234;
  from.brrValue = 0x40;
  from.poInitial = 0x5A;
  from.cgram[0] = 0x1F;
  ConfigImage to;
  CopyOptionFields(from, to);
  EXPECT_EQ(to.optionWord, 0x1234);
  EXPECT_EQ(to.brrValue, 0x40);
  EXPECT_EQ(to.poInitial, 0x5A);
  EXPECT_EQ(to.cgram[0], ConfigImage().cgram[0]);
}

}  // namespace
}  // namespace vrx::editor
