#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <optional>
#include <vector>

#include "config/config_block.h"
#include "config/data_file.h"
#include "config/data_file_format.h"
#include "tests/support/expected_data_file.h"
#include "tests/support/never_ending_file.h"

namespace vrx {
namespace {

using test::ScratchFolder;
using test::WriteWholeFile;

constexpr const char* kId = "VRX7100 DATA FILE\n";

std::vector<uint8_t> SampleValues(std::size_t count = kConfigBlockSize) {
  std::vector<uint8_t> values(count);
  for (std::size_t i = 0; i < count; ++i) values[i] = static_cast<uint8_t>(i * 37 + 11);
  return values;
}

ConfigBlock ToBlock(const std::vector<uint8_t>& values) {
  ConfigBlock block{};
  std::copy_n(values.begin(), block.size(), block.begin());
  return block;
}

struct Layout {
  std::size_t perLine = 16;
  std::string separator = ",";
  std::string prefix = "";
  bool lowerCase = false;
  std::string lineEnd = "\n";
  std::string lineComment = "";   // appended to every line
  std::string betweenLines = "";  // inserted after every line end
  std::string header = kId;
};

std::string Lay(const std::vector<uint8_t>& values, const Layout& layout) {
  std::string text = layout.header;
  for (std::size_t i = 0; i < values.size(); ++i) {
    char digits[4];
    std::snprintf(digits, sizeof digits, layout.lowerCase ? "%02x" : "%02X", values[i]);
    text += layout.prefix + digits;
    const bool lineDone = (i + 1) % layout.perLine == 0 || i + 1 == values.size();
    text += lineDone ? layout.lineComment + layout.lineEnd + layout.betweenLines : layout.separator;
  }
  return text;
}

enum class Outcome { kOk, kWrongFormat, kBadValues };

struct ReaderCase {
  std::string name;
  std::string text;
  Outcome outcome;
  std::optional<std::vector<uint8_t>> values;  // the block read, when kOk
};

std::vector<ReaderCase> ReaderCases() {
  const auto sample = SampleValues();
  std::vector<ReaderCase> cases;
  auto ok = [&](std::string name, std::string text, std::vector<uint8_t> values) {
    cases.push_back({std::move(name), std::move(text), Outcome::kOk, std::move(values)});
  };
  auto fails = [&](std::string name, std::string text, Outcome outcome) {
    cases.push_back({std::move(name), std::move(text), outcome, std::nullopt});
  };

  ok("editor layout", FormatDataFile(ToBlock(sample)), sample);
  ok("80 values a line", Lay(sample, {.perLine = 80}), sample);
  ok("blanks between values", Lay(sample, {.separator = " "}), sample);
  ok("semicolons between values", Lay(sample, {.separator = ";"}), sample);
  ok("tabs, lower case", Lay(sample, {.separator = "\t", .lowerCase = true}), sample);
  ok("0x prefixes", Lay(sample, {.prefix = "0x"}), sample);
  ok("0X prefixes, CR LF", Lay(sample, {.prefix = "0X", .lineEnd = "\r\n"}), sample);
  ok("comment after every line", Lay(sample, {.perLine = 7, .lineComment = " // 12 AB"}), sample);
  ok("all values on one line", Lay(sample, {.perLine = kConfigBlockSize}), sample);
  ok("8449 values", Lay(SampleValues(kConfigBlockSize + 1), {}), sample);
  ok("8449th value above 0xFF is not read", Lay(sample, {}) + "100\n", sample);
  {
    std::string text = Lay(sample, {});
    text.pop_back();  // no line end after the last value
    ok("no final line end", text, sample);
  }
  ok("comments anywhere",
     Lay(sample, {.lineComment = "/99,AA",
                  .betweenLines = "   / 77\n\n",
                  .header = "\n  \t\n// header 12\n  /x\nVRX7100 DATA FILE\n\n  // 34 56\n"}),
     sample);
  ok("identification inside its line", Lay(sample, {.header = "xx VRX7100 DATA FILE 12,34\n"}),
     sample);
  {
    // The 255th and 256th characters of a line fall into different pieces.
    std::vector<uint8_t> expected = sample;
    expected[0] = 0x01;
    expected[1] = 0x02;
    std::vector<uint8_t> rest(sample.begin() + 2, sample.end());
    const std::string text = std::string(254, ',') + "12\n" + Lay(rest, {.header = ""});
    ok("value straddling the 255th character", kId + text, expected);
  }
  {
    std::string text = kId;
    for (std::size_t i = 0; i < kConfigBlockSize; ++i) text += "0x,";
    ok("0x without digits reads 0", text, std::vector<uint8_t>(kConfigBlockSize, 0));
  }
  {
    // A line ends at a NUL byte, as C strings do.
    std::string text = Lay(sample, {});
    text.insert(text.find('\n', std::string(kId).size()), std::string("\0,12,34", 7));
    ok("NUL hides the rest of its line", text, sample);
  }

  fails("empty file", "", Outcome::kWrongFormat);
  fails("blank and comment lines only", "\n   \n// VRX7100 DATA FILE\n", Outcome::kWrongFormat);
  fails("lower-case identification", "vrx7100 data file\n" + Lay(sample, {}).substr(18),
        Outcome::kWrongFormat);
  fails("identification on the second line", "00\n" + Lay(sample, {}), Outcome::kWrongFormat);
  fails("identification split by the 255th character", std::string(250, 'x') + Lay(sample, {}),
        Outcome::kWrongFormat);
  {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i & 0xFF);
    fails("binary data", binary, Outcome::kWrongFormat);
  }
  fails("identification only", kId, Outcome::kBadValues);
  fails("identification and comments only", std::string(kId) + "// 12 34\n\n", Outcome::kBadValues);
  fails("8447 values", Lay(SampleValues(kConfigBlockSize - 1), {}), Outcome::kBadValues);
  {
    std::string text = Lay(sample, {});
    const std::size_t at = text.find(',', 100);
    fails("100 among the values", text.substr(0, at) + ",100" + text.substr(at),
          Outcome::kBadValues);
    fails("FFF among the values", text.substr(0, at) + ",FFF" + text.substr(at),
          Outcome::kBadValues);
    fails("overflowing run", text.substr(0, at) + "," + std::string(40, 'F') + text.substr(at),
          Outcome::kBadValues);
  }
  return cases;
}

ConfigImage SentinelImage() {
  ConfigImage image;
  image.optionWord = 0x1234;
  image.cgram.fill(0x5A);
  for (auto& key : image.keys) key = {false, "AA", "F0,AA"};
  return image;
}

FlashImage SentinelFlash() {
  FlashImage flash;
  flash.fill(0xA5);
  return flash;
}

TEST(DataFileRead, BothReadersAgreeOnEveryInput) {
  ScratchFolder folder;
  for (const ReaderCase& c : ReaderCases()) {
    SCOPED_TRACE(c.name);
    const auto path = folder / "input.vrx";
    WriteWholeFile(path, c.text);

    ConfigImage image = SentinelImage();
    FlashImage flash = SentinelFlash();
    const DataFileError editorResult = ReadDataFile(path, image);
    const DataFileError writerResult = LoadConfigIntoFlashImage(path, flash);

    switch (c.outcome) {
      case Outcome::kOk: {
        ASSERT_EQ(editorResult, DataFileError::kNone);
        ASSERT_EQ(writerResult, DataFileError::kNone);
        const ConfigBlock expected = ToBlock(*c.values);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), flash.begin() + 0x5000));
        EXPECT_EQ(flash[0x4FFF], 0xA5);
        EXPECT_EQ(flash[0x7100], 0xA5);
        ConfigImage converted = SentinelImage();
        BlockToImage(expected, converted);
        EXPECT_EQ(image, converted);
        break;
      }
      case Outcome::kWrongFormat:
        EXPECT_EQ(editorResult, DataFileError::kWrongFormat);
        EXPECT_EQ(writerResult, DataFileError::kWrongFormat);
        EXPECT_EQ(image, SentinelImage());
        break;
      case Outcome::kBadValues:
        EXPECT_EQ(editorResult, DataFileError::kReadFailed);
        EXPECT_EQ(writerResult, DataFileError::kReadFailed);
        EXPECT_EQ(image, SentinelImage());
        break;
    }
  }
}

TEST(DataFileRead, WhatCannotBeOpenedIsReportedWithoutWaiting) {
  ScratchFolder folder;
  std::filesystem::create_directory(folder / "folder.vrx");
  const auto pipe = test::NeverEndingFile(folder.path());
  ASSERT_FALSE(pipe.empty());
  const std::filesystem::path unopenable[] = {
      folder / "missing.vrx",         folder / "folder.vrx", pipe, "/dev/zero",
      folder / std::string(300, 'n'),
  };
  for (const auto& path : unopenable) {
    ConfigImage image = SentinelImage();
    FlashImage flash = SentinelFlash();
    EXPECT_EQ(ReadDataFile(path, image), DataFileError::kOpenFailed) << path;
    EXPECT_EQ(LoadConfigIntoFlashImage(path, flash), DataFileError::kOpenFailed) << path;
    EXPECT_EQ(image, SentinelImage());
    EXPECT_EQ(flash, SentinelFlash());
  }
  FlashImage flash = SentinelFlash();
  EXPECT_EQ(LoadConfigIntoFlashImage("", flash), DataFileError::kNoFileSelected);
}

TEST(DataFileRead, WriterStoresValuesAsScanned) {
  // A failed scan leaves what was read before the bad value; the next write
  // rebuilds the image anyway.
  std::string text = kId;
  for (int i = 0; i < 100; ++i) text += "11,";
  text += "100\n";
  MemoryTextSource source(text);
  FlashImage flash = SentinelFlash();
  EXPECT_EQ(LoadConfigIntoFlashImage(source, flash), DataFileError::kReadFailed);
  EXPECT_EQ(flash[0x5000 + 99], 0x11);
  EXPECT_EQ(flash[0x5000 + 100], 0xA5);
}

ConfigBlock FreshBlock() { return ImageToBlock(ConfigImage{}); }

TEST(DataFileRead, EditorConvertsRecordsIntoKeys) {
  ConfigBlock block = FreshBlock();
  block[MakeRecordOffset(0)] = 0x80;  // typematic, no bytes
  block[MakeRecordOffset(1)] = 0x01;  // one byte, not typematic
  block[MakeRecordOffset(1) + 1] = 0x1C;
  block[BreakRecordOffset(1)] = 0x82;  // bit 7 of a break record means nothing
  block[BreakRecordOffset(1) + 1] = 0xF0;
  block[BreakRecordOffset(1) + 2] = 0x1C;

  ConfigImage image = SentinelImage();  // every key: typematic off, codes set
  image.keys[2].typematic = true;
  const std::string text = FormatDataFile(block);
  MemoryTextSource source(text);
  ASSERT_EQ(ReadDataFile(source, image), DataFileError::kNone);

  EXPECT_EQ(image.keys[0], (KeyEntry{true, "", ""}));
  EXPECT_EQ(image.keys[1], (KeyEntry{false, "1C", "F0,1C"}));
  // An absent make record keeps the flag the editor had for the key.
  EXPECT_EQ(image.keys[2], (KeyEntry{true, "", ""}));
  EXPECT_EQ(image.keys[3], (KeyEntry{false, "", ""}));
  EXPECT_EQ(image.optionWord, 0x000C);
  EXPECT_EQ(image.cgram[0], 0x00);
}

TEST(DataFileRead, CountAbove31TakesOnlyTheRecordsBytes) {
  ConfigBlock block = FreshBlock();
  block[MakeRecordOffset(0)] = 0xFE;  // typematic, 126 bytes claimed
  std::fill_n(&block[MakeRecordOffset(0) + 1], 31, 0x11);
  block[BreakRecordOffset(0)] = 0x7F;  // 127 claimed; the next key follows
  std::fill_n(&block[BreakRecordOffset(0) + 1], 31, 0x22);
  block[MakeRecordOffset(1)] = 0x33;

  ConfigImage image;
  const std::string text = FormatDataFile(block);
  MemoryTextSource source(text);
  ASSERT_EQ(ReadDataFile(source, image), DataFileError::kNone);
  std::string ones, twos;
  for (int i = 0; i < 31; ++i) {
    ones += i ? ",11" : "11";
    twos += i ? ",22" : "22";
  }
  EXPECT_EQ(image.keys[0], (KeyEntry{true, ones, twos}));
}

TEST(DataFileRead, SavedImageReadsBackUnchanged) {
  ConfigImage image;
  image.optionWord = 0x8001;
  image.brrValue = 0x40;
  image.poInitial = 0x0F;
  for (std::size_t i = 0; i < image.cgram.size(); ++i) image.cgram[i] = static_cast<uint8_t>(i * 3);
  image.keys[0] = {true, "1C", "F0,1C"};
  image.keys[127] = {false, "E0,75", "E0,F0,75"};
  image.keys[64] = {true, "", ""};
  ScratchFolder folder;
  ASSERT_TRUE(WriteDataFile(folder / "round.vrx", image));
  // Absent make codes keep the flags the editor had, here all on.
  ConfigImage loaded;
  loaded.cgram.fill(0xEE);
  loaded.keys[3] = {true, "AA", "BB"};
  ASSERT_EQ(ReadDataFile(folder / "round.vrx", loaded), DataFileError::kNone);
  EXPECT_EQ(loaded, image);

  // Typed texts come back canonical.
  image.keys[5] = {true, "e0 f0 0x7c", "1c"};
  ASSERT_TRUE(WriteDataFile(folder / "typed.vrx", image));
  ASSERT_EQ(ReadDataFile(folder / "typed.vrx", loaded), DataFileError::kNone);
  EXPECT_EQ(loaded.keys[5], (KeyEntry{true, "E0,F0,7C", "1C"}));
}

}  // namespace
}  // namespace vrx
