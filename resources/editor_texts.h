// Texts of the editor's additions beyond its string table: the character
// menu, the layout sheet, and the matrix tooltip.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vrx::editor_text {

// The check box labels of the option page, for optionWord bits 0..6.
inline constexpr int kOptionFlagCount = 7;
std::string_view OptionFlagLabel(int bit);
std::string_view SpeedLabel();      // "通信速度"
std::string_view PoInitialLabel();  // "POの初期値"

// The CGRAM page's menu for one character, in menu order.
enum class CharacterTool {
  kClear,
  kInvert,
  kShiftUp,
  kShiftDown,
  kShiftLeft,
  kShiftRight,
  kMirrorLeftRight,
  kMirrorUpDown,
  kCopy,
  kPaste,
};
inline constexpr int kCharacterToolCount = 10;
std::string_view CharacterToolLabel(CharacterTool tool);

// The sheet's right-click entry and the file dialog of the layout sheet.
std::string_view SaveLayoutMenuEntry();
std::string_view SaveLayoutDialogTitle();
// Titles of the file dialogs of エクスポート… and インポート….
std::string_view ExportDialogTitle();
std::string_view ImportDialogTitle();
// One filter per extension ("svg" gives "SVG (*.svg)|*.svg").
std::string LayoutFileFilter(std::span<const std::string_view> extensions);
// The layout sheet's heading; a failed render.
std::string_view LayoutTitle();
std::string_view LayoutSaveFailed();

// Parts of the matrix tooltip and the layout sheet's key cells.
std::string_view KeyWord();      // "キー"
std::string_view NoSpeedText();  // a register value that names no speed

}  // namespace vrx::editor_text
