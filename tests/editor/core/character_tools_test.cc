#include "editor/core/character_tools.h"

#include <gtest/gtest.h>

#include "editor/core/dot_grid.h"

namespace vrx::editor {
namespace {

using editor_text::CharacterTool;

// An "L" with a dot at the top right; bit 7 of the first row set as a file
// may hold it.
constexpr Character kShape = {0x90, 0x11, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F};

TEST(CharacterToolsTest, EachToolChangesTheFiveDotsAndKeepsTheOtherBits) {
  auto apply = [](CharacterTool tool) { return ApplyCharacterTool(kShape, tool); };
  EXPECT_EQ(apply(CharacterTool::kClear), (Character{0x80, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(apply(CharacterTool::kInvert),
            (Character{0x8F, 0x0E, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x00}));
  // Shifts wrap: what leaves one side comes back on the other.
  EXPECT_EQ(apply(CharacterTool::kShiftLeft),
            (Character{0x81, 0x03, 0x01, 0x01, 0x01, 0x01, 0x01, 0x1F}));
  EXPECT_EQ(apply(CharacterTool::kShiftRight),
            (Character{0x88, 0x18, 0x08, 0x08, 0x08, 0x08, 0x08, 0x1F}));
  EXPECT_EQ(apply(CharacterTool::kShiftUp),
            (Character{0x91, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F, 0x10}));
  EXPECT_EQ(apply(CharacterTool::kShiftDown),
            (Character{0x9F, 0x10, 0x11, 0x10, 0x10, 0x10, 0x10, 0x10}));
  EXPECT_EQ(apply(CharacterTool::kMirrorLeftRight),
            (Character{0x81, 0x11, 0x01, 0x01, 0x01, 0x01, 0x01, 0x1F}));
  EXPECT_EQ(apply(CharacterTool::kMirrorUpDown),
            (Character{0x9F, 0x10, 0x10, 0x10, 0x10, 0x10, 0x11, 0x10}));
  // Five shifts across or eight down come back to the start: nothing lost.
  for (const auto& [tool, times] :
       {std::pair{CharacterTool::kShiftRight, 5}, std::pair{CharacterTool::kShiftDown, 8}}) {
    Character rows = kShape;
    for (int i = 0; i < times; ++i) rows = ApplyCharacterTool(rows, tool);
    EXPECT_EQ(rows, kShape);
  }
}

TEST(CharacterToolsTest, TheClipboardTextIsEightLinesOfHashesAndDots) {
  const std::string text = CharacterToText(kShape);
  EXPECT_EQ(text, "#....\n#...#\n#....\n#....\n#....\n#....\n#....\n#####\n");
  const Character blank{};
  EXPECT_EQ(CharacterFromText(text, blank),
            (Character{0x10, 0x11, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}));
  // Pasted from a document: CR LF, blank lines around it, blanks after rows.
  std::string fromDocument = "\r\n";
  for (size_t i = 0; i < text.size(); ++i)
    fromDocument += text[i] == '\n' ? "  \r\n" : text.substr(i, 1);
  EXPECT_EQ(CharacterFromText(fromDocument, kShape), kShape) << "bits 5 to 7 stay";
  EXPECT_FALSE(CharacterFromText("#....\n", blank)) << "too few rows";
  EXPECT_FALSE(CharacterFromText(text + "#....\n", blank)) << "too many rows";
  EXPECT_FALSE(CharacterFromText("#..x.\n" + text.substr(6), blank)) << "a stray character";
  EXPECT_FALSE(CharacterFromText("#...\n" + text.substr(6), blank)) << "a short row";
}

TEST(DotStrokeTest, ADragPassesEveryDotOnItsWayOnceAndOnlyInsideTheGrids) {
  std::array<PixelRect, kCharacterCount> cells{};
  for (int c = 0; c < kCharacterCount; ++c)
    cells[static_cast<size_t>(c)] = {10 + 100 * (c % 4), 10 + 150 * (c / 4), 90, 130};
  const DotGrid grid(cells);
  EXPECT_EQ(grid.DotAt({10, 10}), (DotPlace{0, 0, 0}));
  EXPECT_EQ(grid.DotAt({10 + 100 + 79, 10 + 127}), (DotPlace{1, 7, 4}));
  EXPECT_FALSE(grid.DotAt({10 + 85, 20})) << "inside the cell, right of the grid";
  EXPECT_FALSE(grid.DotAt({5, 5}));
  EXPECT_EQ(grid.CharacterAt({10 + 85, 20}), 0);

  // A fast move across character 0's top row and on into character 1.
  const std::vector<DotPlace> dots = grid.DotsAlong({12, 12}, {10 + 100 + 20, 12});
  const std::vector<DotPlace> expected = {{0, 0, 1}, {0, 0, 2}, {0, 0, 3},
                                          {0, 0, 4}, {1, 0, 0}, {1, 0, 1}};
  EXPECT_EQ(dots, expected);
  // A diagonal visits each row it crosses.
  EXPECT_EQ(grid.DotsAlong({10, 10}, {10 + 79, 10 + 127}).size(), 11u);

  std::array<uint8_t, kCgramBytes> cgram{};
  EXPECT_TRUE(PaintDot(cgram, 1, 0, 0, true));
  EXPECT_FALSE(PaintDot(cgram, 1, 0, 0, true)) << "already lit";
  EXPECT_EQ(cgram[8], 0x10);
  EXPECT_TRUE(PaintDot(cgram, 1, 0, 0, false));
  EXPECT_EQ(cgram[8], 0x00);
}

}  // namespace
}  // namespace vrx::editor
