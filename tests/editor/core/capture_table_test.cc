#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "editor/core/capture_table.h"

namespace vrx {
namespace {

// The keyboard's codes written out key by key, as a person reads them off a
// scan code chart ("E0 7D" for an extended key).
std::map<unsigned, std::string> ExpectedCodes() {
  std::map<unsigned, std::string> codes = {
      {0x08, "66"},    {0x09, "0D"},    {0x0D, "5A"},    {0x10, "12"},    {0x11, "14"},
      {0x12, "11"},    {0x1B, "76"},    {0x1C, "67"},    {0x1D, "64"},    {0x20, "29"},
      {0x21, "E0 7D"}, {0x22, "E0 7A"}, {0x23, "E0 69"}, {0x24, "E0 6C"}, {0x25, "E0 6B"},
      {0x26, "E0 75"}, {0x27, "E0 74"}, {0x28, "E0 72"}, {0x2D, "E0 70"}, {0x2E, "E0 71"},
      {0x5B, "8B"},    {0x5C, "8C"},    {0x5D, "8D"},    {0x6A, "7C"},    {0x6B, "79"},
      {0x6D, "7B"},    {0x6E, "71"},    {0x6F, "E0 4A"}, {0x90, "77"},    {0x91, "7E"},
      {0xBB, "4C"},    {0xBC, "41"},    {0xBD, "4E"},    {0xBE, "49"},    {0xBF, "4A"},
      {0xC0, "54"},    {0xDB, "5B"},    {0xDC, "6A"},    {0xDD, "5D"},    {0xDE, "55"},
      {0xE2, "51"},    {0xE5, "0E"},    {0xF0, "58"},    {0xF2, "13"},    {0xF3, "0E"},
      {0xF4, "0E"},
  };
  auto addRun = [&codes](unsigned first, const std::string& list) {
    std::istringstream in(list);
    std::string code;
    for (unsigned key = first; in >> code; ++key) codes[key] = code;
  };
  addRun(0x30, "45 16 1E 26 25 2E 36 3D 3E 46");
  addRun(0x41, "1C 32 21 23 24 2B 34 33 43 3B 42 4B 3A 31 44 4D 15 2D 1B 2C 3C 2A 1D 22 35 1A");
  addRun(0x60, "70 69 72 7A 6B 73 74 6C 75 7D");
  addRun(0x70, "05 06 04 0C 03 0B 83 0A 01 09 78 07");
  return codes;
}

TEST(CaptureTable, EveryListedKeyGivesItsCodes) {
  const auto expected = ExpectedCodes();
  ASSERT_EQ(expected.size(), 104u);
  for (const auto& [key, code] : expected) {
    const auto captured = TranslateCapturedKey(key);
    ASSERT_TRUE(captured.has_value()) << std::hex << key;
    if (code.size() == 5) {  // "E0 xx"
      const std::string second = code.substr(3);
      EXPECT_EQ(captured->makeCode, "E0," + second) << std::hex << key;
      EXPECT_EQ(captured->breakCode, "E0,F0," + second) << std::hex << key;
    } else {
      EXPECT_EQ(captured->makeCode, code) << std::hex << key;
      EXPECT_EQ(captured->breakCode, "F0," + code) << std::hex << key;
    }
    EXPECT_TRUE(captured->typematic) << std::hex << key;
  }
}

TEST(CaptureTable, KeysNotListedAreIgnored) {
  const auto expected = ExpectedCodes();
  for (unsigned key = 0; key <= 0x1FF; ++key) {
    if (expected.count(key) || key == 0x13 || key == 0x2C) continue;
    EXPECT_FALSE(TranslateCapturedKey(key).has_value()) << std::hex << key;
  }
  // Named ones: Caps Lock, OEM 1, Separator, Clear, F13, F24.
  for (unsigned key : {0x14u, 0xBAu, 0x6Cu, 0x0Cu, 0x7Cu, 0x87u, 0x100u, 0x11Du}) {
    EXPECT_FALSE(TranslateCapturedKey(key).has_value()) << std::hex << key;
  }
}

TEST(CaptureTable, PauseAndPrintScreenSendTheirLongSequences) {
  const auto pause = TranslateCapturedKey(0x13);
  ASSERT_TRUE(pause.has_value());
  EXPECT_EQ(pause->makeCode, "E1,14,77,E1,F0,14,F0,77");
  EXPECT_EQ(pause->breakCode, "");
  EXPECT_FALSE(pause->typematic);

  const auto printScreen = TranslateCapturedKey(0x2C);
  ASSERT_TRUE(printScreen.has_value());
  EXPECT_EQ(printScreen->makeCode, "E0,12,E0,7C");
  EXPECT_EQ(printScreen->breakCode, "E0,F0,7C,E0,F0,12");
  EXPECT_TRUE(printScreen->typematic);
}

}  // namespace
}  // namespace vrx
