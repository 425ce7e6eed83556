#include "editor/core/character_tools.h"

#include <algorithm>
#include <vector>

namespace vrx::editor {
namespace {

constexpr uint8_t kDotBits = 0x1F;
constexpr uint8_t kLeftDot = 0x10;

uint8_t WithDots(uint8_t row, unsigned dots) {
  return static_cast<uint8_t>((row & ~kDotBits) | (dots & kDotBits));
}

unsigned MirrorDots(unsigned dots) {
  unsigned mirrored = 0;
  for (int column = 0; column < kCharacterColumns; ++column)
    if (dots & (kLeftDot >> column)) mirrored |= 1U << column;
  return mirrored;
}

std::string_view TrimBlanksAtEnd(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
    line.remove_suffix(1);
  return line;
}

}  // namespace

Character CharacterOf(const std::array<uint8_t, kCgramBytes>& cgram, int character) {
  Character rows{};
  std::copy_n(cgram.begin() + kCharacterRows * character, kCharacterRows, rows.begin());
  return rows;
}

void StoreCharacter(std::array<uint8_t, kCgramBytes>& cgram, int character, const Character& rows) {
  std::copy(rows.begin(), rows.end(), cgram.begin() + kCharacterRows * character);
}

bool PaintDot(std::array<uint8_t, kCgramBytes>& cgram, int character, int row, int column,
              bool lit) {
  uint8_t& pattern = cgram[static_cast<std::size_t>(kCharacterRows * character + row)];
  const auto bit = static_cast<uint8_t>(kLeftDot >> column);
  const auto painted = static_cast<uint8_t>(lit ? pattern | bit : pattern & ~bit);
  if (painted == pattern) return false;
  pattern = painted;
  return true;
}

Character ApplyCharacterTool(const Character& rows, editor_text::CharacterTool tool) {
  using editor_text::CharacterTool;
  Character result = rows;
  auto eachRow = [&](auto dotsOf) {
    for (uint8_t& row : result) row = WithDots(row, dotsOf(row & kDotBits));
  };
  // Moves the dot patterns between rows; bits 5 to 7 stay on their row.
  auto rotateRows = [&](bool up) {
    Character dots{};
    for (int row = 0; row < kCharacterRows; ++row) {
      const int from =
          up ? (row + 1) % kCharacterRows : (row + kCharacterRows - 1) % kCharacterRows;
      dots[static_cast<std::size_t>(row)] = rows[static_cast<std::size_t>(from)] & kDotBits;
    }
    for (std::size_t row = 0; row < result.size(); ++row)
      result[row] = WithDots(rows[row], dots[row]);
  };
  switch (tool) {
    case CharacterTool::kClear:
      eachRow([](unsigned) { return 0U; });
      break;
    case CharacterTool::kInvert:
      eachRow([](unsigned dots) { return ~dots; });
      break;
    case CharacterTool::kShiftLeft:
      eachRow([](unsigned dots) { return (dots << 1) | (dots >> (kCharacterColumns - 1)); });
      break;
    case CharacterTool::kShiftRight:
      eachRow([](unsigned dots) { return (dots >> 1) | ((dots & 1U) << (kCharacterColumns - 1)); });
      break;
    case CharacterTool::kShiftUp:
      rotateRows(true);
      break;
    case CharacterTool::kShiftDown:
      rotateRows(false);
      break;
    case CharacterTool::kMirrorLeftRight:
      eachRow(MirrorDots);
      break;
    case CharacterTool::kMirrorUpDown:
      for (std::size_t row = 0; row < result.size(); ++row)
        result[row] = WithDots(rows[row], rows[result.size() - 1 - row]);
      break;
    case CharacterTool::kCopy:
    case CharacterTool::kPaste:
      break;
  }
  return result;
}

std::string CharacterToText(const Character& rows) {
  std::string text;
  for (const uint8_t row : rows) {
    for (int column = 0; column < kCharacterColumns; ++column)
      text += (row & (kLeftDot >> column)) ? '#' : '.';
    text += '\n';
  }
  return text;
}

std::optional<Character> CharacterFromText(std::string_view text, const Character& rows) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(TrimBlanksAtEnd(text.substr(0, end)));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  const auto firstDrawn =
      std::find_if(lines.begin(), lines.end(), [](std::string_view line) { return !line.empty(); });
  lines.erase(lines.begin(), firstDrawn);
  if (lines.size() != kCharacterRows) return std::nullopt;

  Character result = rows;
  for (std::size_t row = 0; row < lines.size(); ++row) {
    if (lines[row].size() != kCharacterColumns) return std::nullopt;
    unsigned dots = 0;
    for (int column = 0; column < kCharacterColumns; ++column) {
      const char dot = lines[row][static_cast<std::size_t>(column)];
      if (dot == '#')
        dots |= kLeftDot >> column;
      else if (dot != '.')
        return std::nullopt;
    }
    result[row] = WithDots(rows[row], dots);
  }
  return result;
}

}  // namespace vrx::editor
