#include "editor/core/layout_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "editor/core/layout_sheet_render.h"
#include "tests/support/scratch_folder.h"

namespace vrx::editor {
namespace {

bool HasText(const LayoutSheet& sheet, const std::string& text) {
  return std::any_of(sheet.texts.begin(), sheet.texts.end(),
                     [&](const SheetText& item) { return item.text == text; });
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(LayoutSheetTest, TheSheetShowsKeysOptionsSpeedLevelsAndCharacters) {
  ConfigImage config;
  config.keys[16] = {true, "E0,75", "E0,F0,75"};
  config.keys[40] = {true, "E0,1F", "E0,F0,1F"};
  config.optionWord = 0x0041;
  config.brrValue = 0x0A;
  config.poInitial = 0xAF;
  config.cgram[8 * 7 + 7] = 0x1F;  // character 07's bottom row

  const LayoutSheet sheet = LayOutSheet(config, "desk.vrx");
  EXPECT_TRUE(HasText(sheet, "VRX7100 レイアウト図 - desk.vrx"));
  EXPECT_TRUE(HasText(sheet, "↑"));
  EXPECT_TRUE(HasText(sheet, "E0,F0,75"));
  EXPECT_TRUE(HasText(sheet, "E0,1F")) << "a code without a known key still shows";
  EXPECT_TRUE(HasText(sheet, "128"));
  EXPECT_TRUE(HasText(sheet, "ROW7"));
  EXPECT_TRUE(HasText(sheet, "COL15"));
  EXPECT_TRUE(HasText(sheet, "■ 起動時にBAT終了コードを出力しない。"));
  EXPECT_TRUE(HasText(sheet, "□ PIOをLCD制御端子として使用する。"));
  EXPECT_TRUE(HasText(sheet, "■ キーコードをシリアルポートに出力する(PS/2は使用できません)。"));
  EXPECT_TRUE(HasText(sheet, "通信速度: 57600 bps"));
  EXPECT_TRUE(HasText(sheet, "POの初期値: PO7=1 PO6=0 PO5=1 PO4=0"));
  EXPECT_TRUE(HasText(sheet, "07"));
  const auto assigned =
      std::count_if(sheet.boxes.begin(), sheet.boxes.end(),
                    [](const SheetBox& b) { return b.fill == Shade::kAssignedKey; });
  EXPECT_EQ(assigned, 2);
  const auto lit = std::count_if(sheet.boxes.begin(), sheet.boxes.end(),
                                 [](const SheetBox& b) { return b.fill == Shade::kDotOn; });
  EXPECT_EQ(lit, 5);

  config.brrValue = 0x33;
  EXPECT_TRUE(HasText(LayOutSheet(config, ""), "通信速度: なし (0x33)"));
}

TEST(LayoutSheetTest, TheSheetIsWrittenInTheFormatOfItsExtension) {
  const ::vrx::test::ScratchFolder folder("layout-sheet");
  const LayoutSheet sheet = LayOutSheet(ConfigImage{}, "");
  const std::pair<const char*, std::string> formats[] = {
      {"sheet.svg", "<?xml"}, {"sheet.PNG", "\x89PNG"}, {"sheet.pdf", "%PDF"}};
  for (const auto& [name, signature] : formats) {
    const auto path = folder / name;
    const std::optional<SheetFormat> format = SheetFormatForPath(path);
    ASSERT_TRUE(format) << name;
    ASSERT_TRUE(RenderLayoutSheet(sheet, *format, path)) << name;
    EXPECT_EQ(ReadFile(path).substr(0, signature.size()), signature) << name;
  }
  EXPECT_FALSE(SheetFormatForPath("sheet.jpg"));
  EXPECT_FALSE(RenderLayoutSheet(sheet, SheetFormat::kPdf, folder / "missing" / "x.pdf"));
}

}  // namespace
}  // namespace vrx::editor
