#include "tests/support/expected_data_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>

#include "platform/sjis.h"

namespace vrx {

void PrintTo(const KeyEntry& key, std::ostream* out) {
  *out << (key.typematic ? "{typematic, \"" : "{\"") << key.makeCode << "\", \"" << key.breakCode
       << "\"}";
}

void PrintTo(const ConfigImage& image, std::ostream* out) {
  *out << std::hex << "{option " << image.optionWord << ", brr " << int{image.brrValue} << ", po "
       << int{image.poInitial} << ", cgram";
  for (uint8_t row : image.cgram) *out << ' ' << int{row};
  *out << std::dec;
  const ConfigImage fresh;
  for (std::size_t i = 0; i < image.keys.size(); ++i) {
    if (image.keys[i] == fresh.keys[i]) continue;
    *out << ", key " << i + 1 << ' ';
    PrintTo(image.keys[i], out);
  }
  *out << '}';
}

}  // namespace vrx

namespace vrx::test {
namespace {

std::string Repeat(const std::string& value, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? "," : "") + value;
  return text;
}

std::string RecordLine(const std::string& start, int key, const char* kind) {
  const int given = start.empty() ? 0 : static_cast<int>((start.size() + 1) / 3);
  std::string values = start;
  if (given < 32) values += (start.empty() ? "" : ",") + Repeat("FF", 32 - given);
  return values + "  //KEY" + std::to_string(key) + " " + kind;
}

}  // namespace

std::string ExpectedDataFile(const ExpectedKeys& keys) {
  std::vector<std::string> lines = {
      "VRX7100 DATA FILE //ファイル識別用",
      "",
      "00,0C //オプション(上位バイトから格納)",
      "0F //BRRレジスタの設定値",
      "FF //POの初期値",
      "",
      "//予約",
      Repeat("FF", 12),
  };
  for (int i = 0; i < 11; ++i) lines.push_back(Repeat("FF", 16));
  lines.push_back("");
  lines.push_back("//CGRAM");
  for (int c = 0; c < 8; ++c) lines.push_back(Repeat("00", 8) + " //0" + std::to_string(c));
  lines.push_back("");
  lines.push_back("//KeyCode");
  for (int key = 1; key <= 128; ++key) {
    auto find = [key](const std::map<int, std::string>& given) {
      const auto it = given.find(key);
      return it == given.end() ? std::string() : it->second;
    };
    lines.push_back(RecordLine(find(keys.make), key, "MakeCode"));
    lines.push_back(RecordLine(find(keys.brk), key, "BreakCode"));
  }
  std::string utf8;
  for (const std::string& line : lines) utf8 += line + "\r\n";
  const auto cp932 = Utf8ToCp932(utf8);
  EXPECT_TRUE(cp932.has_value());
  return cp932.value_or("");
}

void WriteWholeFile(const std::filesystem::path& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << contents;
  ASSERT_TRUE(out.good()) << path;
}

std::size_t EntriesIn(const std::filesystem::path& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

ConfigImage OneKeyImage() {
  ConfigImage image;
  image.keys[0] = {true, "1C", "F0,1C"};
  return image;
}

}  // namespace vrx::test
