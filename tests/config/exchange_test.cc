// JSON and CSV export and import, and the readable report, through the core.
#include <gtest/gtest.h>

#include "config/config_block.h"
#include "config/config_exchange.h"
#include "config/config_report.h"
#include "config/data_file_format.h"
#include "editor/core/import_error_text.h"
#include "tests/support/expected_data_file.h"

namespace vrx {
namespace {

std::string SavedText(const ConfigImage& image) { return FormatDataFile(ImageToBlock(image)); }

// Everything a file can hold, including what no control of the editor sets.
ConfigImage RichImage() {
  ConfigImage image;
  image.optionWord = 0x8141;  // a bit above the named ones
  image.brrValue = 0x7B;      // no speed of the list
  image.poInitial = 0x5A;
  image.cgram[0] = 0x1F;
  image.cgram[9] = 0xE5;  // bits 5..7 as another tool may leave them
  image.keys[0] = {true, "1C", "F0,1C"};
  image.keys[1] = {false, "E0,75", "E0,F0,75"};
  image.keys[127] = {true, "E1,14,77,E1,F0,14,F0,77", ""};
  std::string longest;
  for (int i = 0; i < 31; ++i) longest += (i ? "," : "") + std::string("AB");
  image.keys[64] = {false, longest, "F0,AB"};
  return image;
}

TEST(Exchange, ExportThenImportGivesTheSameFileByteForByte) {
  for (const ConfigImage& original : {ConfigImage{}, RichImage()}) {
    ConfigImage fromJson;
    ASSERT_EQ(ImportJson(ExportJson(original), fromJson), std::nullopt);
    EXPECT_EQ(SavedText(fromJson), SavedText(original));

    // CSV holds the keys only; the rest comes from the base file.
    ConfigImage base = original;
    for (KeyEntry& key : base.keys) key = {};
    ASSERT_EQ(ImportCsv(ExportCsv(original), base), std::nullopt);
    EXPECT_EQ(SavedText(base), SavedText(original));
  }
}

TEST(Exchange, HandWrittenInputsGiveWhatTheyName) {
  ConfigImage image;
  const auto jsonError = ImportJson(R"({"format": "VRX7100 data file", "version": 1,
      "options": {"keyCodesToSerialPort": true, "pioAsLcdControl": false},
      "speed": 4800, "outputs": {"PO5": false},
      "keys": [{"key": 17, "make": "e0 75", "break": "E0-F0-75", "typematic": false}]})",
                                    image);
  ASSERT_EQ(jsonError, std::nullopt);
  EXPECT_EQ(image.optionWord, 0x0048);
  EXPECT_EQ(image.brrValue, 0x81);
  EXPECT_EQ(image.poInitial, 0xDF);
  EXPECT_EQ(image.keys[16], (KeyEntry{false, "e0 75", "E0-F0-75"}));

  // Columns in any order and case; row and column may be left out.
  const auto csvError =
      ImportCsv("Make,KEY,typematic,row\r\n\"E0,12\",3,no,\r\n1c,1,YES,0\r\n", image);
  ASSERT_EQ(csvError, std::nullopt);
  EXPECT_EQ(image.keys[2], (KeyEntry{false, "E0,12", ""}));
  EXPECT_EQ(image.keys[0], (KeyEntry{true, "1c", ""}));
  EXPECT_EQ(image.keys[16].makeCode, "e0 75");  // not in the CSV: kept
}

struct Refused {
  const char* name;
  std::string input;
  ImportProblem problem;
  int line;
  int keyNumber;
};

void ExpectRefused(ExchangeFormat format, const Refused& bad) {
  ConfigImage image = RichImage();
  const auto error = ImportConfig(format, bad.input, image);
  ASSERT_TRUE(error) << bad.name;
  EXPECT_EQ(error->problem, bad.problem) << bad.name;
  EXPECT_EQ(error->line, bad.line) << bad.name;
  EXPECT_EQ(error->keyNumber, bad.keyNumber) << bad.name;
  EXPECT_EQ(image, RichImage()) << bad.name;
}

TEST(Exchange, BadEntriesAreRefusedWithTheirPlaceAndNothingChanges) {
  const std::string head = "{\"format\": \"VRX7100 data file\", \"version\": 1,\n";
  const Refused json[] = {
      {"code", head + "\"keys\": [\n{\"key\": 2},\n{\"key\": 3,\n \"make\": \"E0,,75\"}]}",
       ImportProblem::kBadCode, 5, 3},
      {"duplicate", head + "\"keys\": [{\"key\": 5},\n{\"key\": 5}]}", ImportProblem::kDuplicateKey,
       3, 5},
      {"key number", head + "\"keys\": [\n{\"key\": 129}]}", ImportProblem::kBadKeyNumber, 3, 0},
      {"place", head + "\"keys\": [{\"key\": 17,\n\"row\": 0}]}", ImportProblem::kWrongPlace, 3,
       17},
      {"member", head + "\"options\": {\n\"noBatcode\": true}}", ImportProblem::kUnknownMember, 3,
       0},
      {"speed", head + "\"speed\":\n 1200}", ImportProblem::kBadValue, 3, 0},
      {"dots", head + "\"characters\": [[\"#\"]]}", ImportProblem::kBadValue, 2, 0},
      {"version", "{\"format\": \"VRX7100 data file\",\n\"version\": 2}",
       ImportProblem::kNewerVersion, 2, 0},
      {"format", "{\"version\": 1}", ImportProblem::kWrongFormat, 1, 0},
      {"syntax", head + "\"speed\": 38400,\n}", ImportProblem::kSyntax, 3, 0},
      // What no file of this format holds, refused where it goes wrong.
      {"nesting", head + "\"keys\": [[[\n[]]]]}", ImportProblem::kSyntax, 3, 0},
      {"member twice", head + "\"speed\": 38400,\n\"speed\": 9600}", ImportProblem::kSyntax, 3, 0},
      {"values",  // 4 before the zeros, 4092 zeros, and one value too many
       head + "\"keys\": [" +
           [] {
             std::string zeros;
             for (int i = 0; i < 4092; ++i) zeros += "0,";
             return zeros;
           }() +
           "\n0]}",
       ImportProblem::kSyntax, 3, 0},
      {"nested root", "[[[[[]]]]]", ImportProblem::kWrongFormat, 0, 0},
      // The first bad entry in the file's order, not in the order of names.
      {"first in file", head + "\"zz\": 1,\n\"aa\": 2}", ImportProblem::kUnknownMember, 2, 0},
  };
  for (const Refused& bad : json) ExpectRefused(ExchangeFormat::kJson, bad);

  std::string tooLong;
  for (int i = 0; i < 32; ++i) tooLong += (i ? " " : "") + std::string("1C");
  const Refused csv[] = {
      {"code", "key,make\n1,1C\n\n7,\" E0\"\n", ImportProblem::kBadCode, 4, 7},
      {"32 bytes", "key,break\n9," + tooLong + "\n", ImportProblem::kBadCode, 2, 9},
      {"typematic", "key,typematic\n4,maybe\n", ImportProblem::kBadValue, 2, 4},
      {"place", "key,row,column\n18,1,2\n", ImportProblem::kWrongPlace, 2, 18},
      {"column", "key,brake\n", ImportProblem::kUnknownMember, 1, 0},
      {"fields", "key,make\n1,1C,2\n", ImportProblem::kSyntax, 2, 0},
      {"quote", "key,make\n1,\"E0,12\n", ImportProblem::kSyntax, 2, 0},
      {"empty", "\n", ImportProblem::kWrongFormat, 1, 0},
      {"many fields", "key,make\n1,1C" + std::string(100000, ',') + "\n", ImportProblem::kSyntax, 2,
       0},
  };
  for (const Refused& bad : csv) ExpectRefused(ExchangeFormat::kCsv, bad);
  EXPECT_EQ(ImportErrorText("keys.csv", {ImportProblem::kBadCode, 4, 7, "make"}),
            "keys.csv:4: KEY7 make: 入力データに誤まりがあります。");
}

TEST(Report, ShowListsChangedKeysAndDiffSaysWhatDiffers) {
  const ConfigImage rich = RichImage();
  const std::string shown = ShowConfig(rich, false);
  EXPECT_NE(shown.find("option word   0x8141"), std::string::npos) << shown;
  EXPECT_NE(shown.find("speed         none of the list (BRR 0x7B)"), std::string::npos);
  EXPECT_NE(shown.find("PO initial    0x5A  PO4 1 PO5 0 PO6 1 PO7 0"), std::string::npos);
  EXPECT_NE(shown.find("\n  .....     ..#.#(E5) .....     "), std::string::npos) << shown;
  EXPECT_NE(shown.find("    2   0   1 no        E0,75 / E0,F0,75\n"), std::string::npos);
  EXPECT_EQ(shown.find("\n    3   0   2 "), std::string::npos);  // a fresh key
  EXPECT_NE(ShowConfig(rich, true).find("\n    3   0   2 yes       - / -\n"), std::string::npos);
  // Named keys get their name after the codes; the comparison with a fresh
  // file does not see names.
  const auto upOnly = [](const std::string& make) { return make == "E0,75" ? "↑" : ""; };
  const std::string named = ShowConfig(rich, false, upOnly);
  EXPECT_NE(named.find("    2   0   1 no        E0,75 / E0,F0,75  ↑\n"), std::string::npos);
  EXPECT_EQ(named.find("\n    3   0   2 "), std::string::npos);

  // Only what a file holds counts: case, separators, and the typematic flag
  // of a key without a make code.
  ConfigImage same = rich;
  same.keys[1].makeCode = "e0 75";
  same.keys[5].typematic = false;
  EXPECT_EQ(DiffConfigs(rich, same), "");

  ConfigImage changed = rich;
  changed.cgram[9] = 0x04;
  changed.keys[0].typematic = false;
  EXPECT_EQ(DiffConfigs(rich, changed),
            "character 1\n"
            "  .....       .....\n"
            "  ..#.#(E5) | ..#..\n"
            "  .....       .....\n  .....       .....\n  .....       .....\n"
            "  .....       .....\n  .....       .....\n  .....       .....\n"
            "   KEY ROW COL TYPEMATIC MAKE / BREAK\n"
            "-    1   0   0 yes       1C / F0,1C\n"
            "+    1   0   0 no        1C / F0,1C\n");
}

}  // namespace
}  // namespace vrx
