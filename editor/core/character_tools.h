// Tools on one LCD character of the CGRAM: 8 rows of 5 dots, bit 4 (0x10)
// the leftmost dot of a row.  The tools change only the five dot bits; bits
// 5 to 7, which a loaded file may hold, keep their value.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "config/config_image.h"
#include "resources/editor_texts.h"

namespace vrx::editor {

inline constexpr int kCharacterCount = 8;
inline constexpr int kCharacterRows = 8;
inline constexpr int kCharacterColumns = 5;

using Character = std::array<uint8_t, kCharacterRows>;

Character CharacterOf(const std::array<uint8_t, kCgramBytes>& cgram, int character);
void StoreCharacter(std::array<uint8_t, kCgramBytes>& cgram, int character, const Character& rows);

// Lights or clears one dot; false when it already was so.
bool PaintDot(std::array<uint8_t, kCgramBytes>& cgram, int character, int row, int column,
              bool lit);

// クリア, 反転, the four shifts (rows and columns shifted out come back in
// on the other side), 左右反転 and 上下反転.  Copy and paste are not changes
// of the character and are left to the caller.
Character ApplyCharacterTool(const Character& rows, editor_text::CharacterTool tool);

// The clipboard form: 8 lines of 5 characters, "#" a lit dot, "." a dark one.
std::string CharacterToText(const Character& rows);
// Reads that form back onto `rows` (bits 5 to 7 kept).  Line ends of any
// kind, blank lines around the drawing and blanks after a row are allowed;
// anything else gives nullopt.
std::optional<Character> CharacterFromText(std::string_view text, const Character& rows);

}  // namespace vrx::editor
