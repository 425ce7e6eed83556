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

const SheetText* TextAt(const LayoutSheet& sheet, const std::string& prefix, double baseline) {
  for (const SheetText& text : sheet.texts)
    if (text.y == baseline && text.text.starts_with(prefix)) return &text;
  return nullptr;
}

TEST(LayoutSheetTest, CodesShowCanonicalAndFitTheirCellShrunkThenCut) {
  ConfigImage config;
  std::string longest;
  for (int i = 0; i < 31; ++i) longest += (i ? "," : "") + std::string(i % 2 ? "F0" : "E0");
  config.keys[0] = {true, "e0 75", "0000000000000000000000005a"};  // row 0: cell top 332
  config.keys[1] = {false, "E1,14,77,E1,F0,14,F0,77", ""};         // Pause
  config.keys[2] = {true, longest, "1c"};
  const LayoutSheet sheet = LayOutSheet(config, "");
  constexpr double kTop = 80 + 36 * 7;
  constexpr double kCodeRoom = 46 - 3;

  const SheetText* typed = TextAt(sheet, "E0", kTop + 26);
  ASSERT_NE(typed, nullptr);
  EXPECT_EQ(typed->text, "E0,75") << "as `show` writes it";
  EXPECT_EQ(typed->size, 5);
  const SheetText* zeros = TextAt(sheet, "5A", kTop + 33);
  ASSERT_NE(zeros, nullptr) << "leading zeros must not make a code vanish";
  EXPECT_EQ(zeros->size, 5);

  const SheetText* pause = TextAt(sheet, "E1", kTop + 26);
  ASSERT_NE(pause, nullptr);
  EXPECT_EQ(pause->text, "E1,14,77,E1,F0,14,F0,77") << "shrunk, not cut";
  EXPECT_LT(pause->size, 5);
  EXPECT_GE(pause->size, kSmallestCodeSize);
  EXPECT_LE(TextWidth(pause->text, pause->size), kCodeRoom);

  const SheetText* cut = TextAt(sheet, "E0,F0", kTop + 26);
  ASSERT_NE(cut, nullptr);
  EXPECT_TRUE(cut->text.ends_with(",…")) << cut->text << ": cut after a whole byte";
  EXPECT_TRUE(longest.starts_with(cut->text.substr(0, cut->text.size() - 3)));
  EXPECT_GT(cut->text.size(), 20U) << "as much as fits at the smallest size";
  EXPECT_EQ(cut->size, kSmallestCodeSize);
  EXPECT_LE(TextWidth(cut->text, cut->size), kCodeRoom);
  for (const SheetText& text : sheet.texts)
    if (text.maxWidth > 0) {
      EXPECT_LE(TextWidth(text.text, text.size), text.maxWidth) << text.text;
    }
}

TEST(LayoutSheetTest, FittingCountsWholeGlyphs) {
  EXPECT_DOUBLE_EQ(TextWidth("…", 10), 10);
  EXPECT_DOUBLE_EQ(TextWidth("あい", 4), 8) << "a Japanese glyph is one em, whatever its bytes";
  // A text without commas is cut between glyphs, never inside one.
  const FittedText fitted = FitCodeText("あいうえおかきくけこさしすせそ", 5, 20);
  EXPECT_EQ(fitted.text, "あいうえ…");
  EXPECT_EQ(FitCodeText("", 5, 20).text, "");
}

// The SVG is written by the project on every platform: its texts are text.
TEST(LayoutSheetTest, TheSvgHoldsItsTextsAsText) {
  const ::vrx::test::ScratchFolder folder("layout-svg");
  ConfigImage config;
  config.keys[16] = {true, "E0,75", "E0,F0,75"};
  const auto path = folder / "sheet.svg";
  ASSERT_TRUE(RenderLayoutSheet(LayOutSheet(config, "a&b <c>.vrx"), SheetFormat::kSvg, path));
  const std::string svg = ReadFile(path);
  EXPECT_NE(svg.find(">VRX7100 レイアウト図 - a&amp;b &lt;c&gt;.vrx</text>"), std::string::npos);
  EXPECT_NE(svg.find(">E0,F0,75</text>"), std::string::npos);
  EXPECT_NE(svg.find(">↑</text>"), std::string::npos);
  EXPECT_EQ(svg.find("<path"), std::string::npos) << "no glyph outlines";
  EXPECT_LT(svg.size(), 60'000U);
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
