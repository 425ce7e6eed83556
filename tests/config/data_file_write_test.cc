#include <gtest/gtest.h>

#include "config/config_block.h"
#include "config/data_file.h"
#include "tests/support/expected_data_file.h"

namespace vrx {
namespace {

using test::ExpectedDataFile;
using test::ReadWholeFile;
using test::ScratchFolder;

TEST(DataFileWrite, FreshEditorFileIsByteExact) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteDataFile(folder / "fresh.vrx", ConfigImage{}));
  const std::string written = ReadWholeFile(folder / "fresh.vrx");
  EXPECT_EQ(written, ExpectedDataFile());
  EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
  EXPECT_EQ(written.find("\r\n\r\n\r\n"), std::string::npos);
}

TEST(DataFileWrite, WorkedExampleIsByteExact) {
  ConfigImage image;
  image.keys[0] = {true, "1C", "F0,1C"};
  image.keys[1] = {false, "E0,75", "E0,F0,75"};
  ScratchFolder folder;
  ASSERT_TRUE(WriteDataFile(folder / "example.vrx", image));

  test::ExpectedKeys keys;
  keys.make[1] = "81,1C";
  keys.brk[1] = "02,F0,1C";
  keys.make[2] = "02,E0,75";
  keys.brk[2] = "03,E0,F0,75";
  EXPECT_EQ(ReadWholeFile(folder / "example.vrx"), ExpectedDataFile(keys));
}

TEST(DataFileWrite, CodeRecordsCarryCountAndTypematic) {
  ConfigImage image;
  std::string thirtyOne;
  for (int i = 0; i < 31; ++i) thirtyOne += i ? ",A5" : "A5";
  image.keys[0] = {true, "1C", ""};
  image.keys[1] = {false, "1c", ""};
  image.keys[2] = {false, "", "F0,1C"};  // no make code: the flag is not stored
  image.keys[3] = {true, thirtyOne, thirtyOne};
  image.keys[4] = {false, thirtyOne, ""};
  const ConfigBlock block = ImageToBlock(image);

  EXPECT_EQ(block[MakeRecordOffset(0)], 0x81);
  EXPECT_EQ(block[MakeRecordOffset(1)], 0x01);
  EXPECT_EQ(block[MakeRecordOffset(1) + 1], 0x1C);
  for (std::size_t b = 0; b < kCodeRecordBytes; ++b) {
    EXPECT_EQ(block[MakeRecordOffset(2) + b], 0xFF) << b;
  }
  EXPECT_EQ(block[BreakRecordOffset(2)], 0x02);
  EXPECT_EQ(block[MakeRecordOffset(3)], 0x9F);
  EXPECT_EQ(block[BreakRecordOffset(3)], 0x1F);  // break records never carry the flag
  EXPECT_EQ(block[MakeRecordOffset(4)], 0x1F);
  // 31 bytes fill the record: no filler after them.
  EXPECT_EQ(block[MakeRecordOffset(3) + 31], 0xA5);
  EXPECT_EQ(block[BreakRecordOffset(3) + 31], 0xA5);
}

TEST(DataFileWrite, OptionBytesAndCgramLandInTheirLines) {
  ConfigImage image;
  image.optionWord = 0xA50C;
  image.brrValue = 0x1F;
  image.poInitial = 0x0F;
  for (std::size_t i = 0; i < image.cgram.size(); ++i) image.cgram[i] = static_cast<uint8_t>(i);
  ScratchFolder folder;
  ASSERT_TRUE(WriteDataFile(folder / "o.vrx", image));
  const std::string text = ReadWholeFile(folder / "o.vrx");
  EXPECT_NE(text.find("\r\nA5,0C //"), std::string::npos);
  EXPECT_NE(text.find("\r\n1F //BRR"), std::string::npos);
  EXPECT_NE(text.find("\r\n0F //PO"), std::string::npos);
  EXPECT_NE(text.find("\r\n18,19,1A,1B,1C,1D,1E,1F //03\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vrx
