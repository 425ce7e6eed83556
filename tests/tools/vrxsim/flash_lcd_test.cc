// The simulated module's flash and LCD on their own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/scratch_folder.h"
#include "tools/vrxsim/flash_memory.h"
#include "tools/vrxsim/lcd_model.h"

namespace vrx::sim {
namespace {

TEST(SimFlash, BlockExtentsCoverWhatTheWriterErases) {
  EXPECT_EQ(FlashBlockExtent(0).start, 0x0000u);
  EXPECT_EQ(FlashBlockExtent(0).size, 0x0400u);
  EXPECT_EQ(FlashBlockExtent(4).start, 0x1000u);
  EXPECT_EQ(FlashBlockExtent(4).start + FlashBlockExtent(4).size, 0x8000u);
}

TEST(SimFlash, ProgramClearsBitsOnlyAndIsAllOrNothing) {
  FlashMemory flash;
  const uint8_t first[] = {0xF0, 0x0F};
  EXPECT_TRUE(flash.Program(0x10, first));
  const uint8_t narrower[] = {0x30, 0x00};
  EXPECT_TRUE(flash.Program(0x10, narrower));
  const uint8_t wider[] = {0x00, 0x0F};  // the second byte needs bits back
  EXPECT_FALSE(flash.Program(0x10, wider));
  EXPECT_EQ(flash.At(0x10), 0x30) << "a refused program changes nothing";
  EXPECT_FALSE(flash.Program(0x7FFF, first)) << "runs past the end";
}

TEST(SimFlash, SavesAndLoadsWholeImagesOnly) {
  const test::ScratchFolder folder("vrxsim-flash");
  const auto& dir = folder.path();
  FlashMemory flash;
  const uint8_t bytes[] = {0x12, 0x34};
  ASSERT_TRUE(flash.Program(0x5000, bytes));
  std::string error;
  ASSERT_TRUE(flash.Save(dir / "flash.bin", error)) << error;
  EXPECT_FALSE(std::filesystem::exists(dir / "flash.bin.tmp"));
  const auto loaded = FlashMemory::Load(dir / "flash.bin", error);
  ASSERT_TRUE(loaded) << error;
  EXPECT_EQ(*loaded, flash.Bytes());

  std::ofstream(dir / "short.bin") << "abc";
  EXPECT_FALSE(FlashMemory::Load(dir / "short.bin", error));
  EXPECT_NE(error.find("32768"), std::string::npos);
  {
    std::ofstream longer(dir / "long.bin", std::ios::binary);
    longer << std::string(0x8001, 'x');
  }
  EXPECT_FALSE(FlashMemory::Load(dir / "long.bin", error));
  EXPECT_FALSE(FlashMemory::Load(dir / "missing.bin", error));
}

TEST(SimLcd, AddressCounterWalksCgramAndBothDisplayLines) {
  LcdModel lcd;
  lcd.Command(0x40 | 62);
  lcd.Data(0x11);
  lcd.Data(0x12);
  lcd.Data(0x13);  // wraps to CGRAM address 0
  EXPECT_EQ(lcd.Cgram()[62], 0x11);
  EXPECT_EQ(lcd.Cgram()[63], 0x12);
  EXPECT_EQ(lcd.Cgram()[0], 0x13);

  lcd.Command(0x80 | 39);  // last position of line 1
  lcd.Data('a');
  lcd.Data('b');  // continues on line 2
  EXPECT_EQ(lcd.DisplayAt(0, 39), 'a');
  EXPECT_EQ(lcd.DisplayAt(1, 0), 'b');
  EXPECT_EQ(lcd.AddressCounter(), 0x41);

  lcd.Command(0x01);
  EXPECT_EQ(lcd.DisplayAt(0, 39), ' ');
  EXPECT_EQ(lcd.AddressCounter(), 0);
  EXPECT_EQ(lcd.Cgram()[62], 0x11) << "clear leaves CGRAM alone";
}

TEST(SimLcd, RendersUserCharactersAsDots) {
  LcdModel lcd;
  lcd.Command(0x40);
  for (int row : {0x10, 0x01, 0x1F, 0, 0, 0, 0, 0}) lcd.Data(static_cast<uint8_t>(row));
  lcd.Command(0x80);
  lcd.Command(0x0C);
  lcd.Data(0x00);
  lcd.Data('Z');
  const std::string art = lcd.Render();
  EXPECT_NE(art.find("display on"), std::string::npos);
  EXPECT_NE(art.find("|#.... "), std::string::npos);
  EXPECT_NE(art.find("|....# "), std::string::npos);
  EXPECT_NE(art.find("|##### "), std::string::npos);
  EXPECT_NE(art.find("  Z  "), std::string::npos);
}

}  // namespace
}  // namespace vrx::sim
