#include "editor/core/layout_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "editor/core/layout_sheet_render.h"
#include "resources/editor_texts.h"
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

// Each format the build offers is written as such; one it does not offer
// (PNG and PDF where there is no cairo) is refused, never left half written.
TEST(LayoutSheetTest, TheSheetIsWrittenInTheFormatOfItsExtension) {
  const ::vrx::test::ScratchFolder folder("layout-sheet");
  const LayoutSheet sheet = LayOutSheet(ConfigImage{}, "");
  const std::pair<const char*, std::string> formats[] = {
      {"sheet.svg", "<?xml"}, {"sheet.PNG", "\x89PNG"}, {"sheet.pdf", "%PDF"}};
  const auto writable = WritableSheetFormats();
  ASSERT_FALSE(writable.empty());
  EXPECT_EQ(writable.front(), SheetFormat::kSvg);
  for (const auto& [name, signature] : formats) {
    const auto path = folder / name;
    const std::optional<SheetFormat> format = SheetFormatForPath(path);
    ASSERT_TRUE(format) << name;
    if (!IsWritableSheetFormat(*format)) {
      EXPECT_FALSE(RenderLayoutSheet(sheet, *format, path)) << name;
      EXPECT_FALSE(std::filesystem::exists(path)) << name;
      continue;
    }
    ASSERT_TRUE(RenderLayoutSheet(sheet, *format, path)) << name;
    EXPECT_EQ(ReadFile(path).substr(0, signature.size()), signature) << name;
  }
  EXPECT_FALSE(SheetFormatForPath("sheet.jpg"));
  EXPECT_FALSE(RenderLayoutSheet(sheet, SheetFormat::kSvg, folder / "missing" / "x.svg"));
}

TEST(LayoutSheetTest, TheFileDialogOffersTheWritableFormats) {
  std::vector<std::string_view> extensions;
  for (const SheetFormat format : WritableSheetFormats())
    extensions.push_back(SheetFormatExtension(format));
  const std::string filter = editor_text::LayoutFileFilter(extensions);
  EXPECT_TRUE(filter.starts_with("SVG (*.svg)|*.svg")) << filter;
  EXPECT_EQ(editor_text::LayoutFileFilter(std::vector<std::string_view>{"svg", "pdf"}),
            "SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf");
}

}  // namespace
}  // namespace vrx::editor
