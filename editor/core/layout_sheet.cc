#include "editor/core/layout_sheet.h"

#include <utility>

#include "config/bit_rate.h"
#include "config/brr_value.h"
#include "config/code_text.h"
#include "editor/core/character_tools.h"
#include "editor/core/key_description.h"
#include "platform/sjis.h"
#include "platform/utf8_text.h"
#include "resources/editor_texts.h"

namespace vrx::editor {
namespace {

constexpr double kPageWidth = 842;  // A4 landscape in points
constexpr double kPageHeight = 595;

constexpr int kMatrixColumns = 16;
constexpr int kMatrixRows = 8;
constexpr double kMatrixLeft = 60;
constexpr double kMatrixTop = 80;
constexpr double kCellWidth = 46;
constexpr double kCellHeight = 36;

constexpr double kOptionsTop = 400;
constexpr double kLineHeight = 14;
constexpr double kCharactersLeft = 560;
constexpr double kCharactersTop = 400;
constexpr double kCharacterPitchX = 66;
constexpr double kCharacterPitchY = 80;
constexpr double kDotSize = 6;

// The block that the matrix picture shades: COL3..COL8 of ROW0..ROW3.
bool InMatrixBlock(int row, int column) { return row <= 3 && column >= 3 && column <= 8; }

// Codes get the cell's width but for a hair either side.
constexpr double kCodeMargin = 1.5;

// Advances of IPAPGothic in ems for the glyphs codes are made of.
double GlyphWidth(unsigned char c) {
  switch (c) {
    case 'C':
    case 'c':
      return 0.73;
    case 'D':
    case 'd':
      return 0.76;
    case ',':
      return 0.26;
    case ' ':
      return 0.30;
    default:
      break;
  }
  if (c >= '0' && c <= '9') return 0.63;
  if (c >= 'A' && c <= 'F') return 0.66;
  if (c >= 'a' && c <= 'f') return 0.66;
  return 0.8;  // any other ASCII glyph, at most this wide
}

bool StartsGlyph(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// Drops the last glyph of UTF-8 `text`, all its bytes.
void DropLastGlyph(std::string& text) {
  while (!text.empty()) {
    const bool first = StartsGlyph(text.back());
    text.pop_back();
    if (first) return;
  }
}

std::string Hex(unsigned value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

void LayOutMatrix(const ConfigImage& config, LayoutSheet& sheet) {
  for (int column = 0; column < kMatrixColumns; ++column) {
    sheet.texts.push_back({kMatrixLeft + kCellWidth * (column + 0.5), kMatrixTop - 5, 7,
                           "COL" + std::to_string(column), kCellWidth, true});
  }
  for (int key = 0; key < kKeyCount; ++key) {
    const int row = KeyRow(key);
    const int column = KeyColumn(key);
    const double x = kMatrixLeft + kCellWidth * column;
    const double y = kMatrixTop + kCellHeight * (kMatrixRows - 1 - row);
    if (column == 0)
      sheet.texts.push_back({16, y + kCellHeight / 2 + 3, 7, "ROW" + std::to_string(row)});

    const KeyEntry& entry = config.keys[static_cast<std::size_t>(key)];
    const bool assigned = HasCodes(entry);
    const Shade fill = assigned                     ? Shade::kAssignedKey
                       : InMatrixBlock(row, column) ? Shade::kMatrixBlock
                                                    : Shade::kNone;
    sheet.boxes.push_back({x, y, kCellWidth, kCellHeight, fill, true});
    sheet.texts.push_back({x + 2, y + 7, 5.5, std::to_string(key + 1)});
    if (!assigned) continue;
    const double middle = x + kCellWidth / 2;
    const double width = kCellWidth - 4;
    if (const std::string name = KeyNameForMakeCode(entry.makeCode); !name.empty())
      sheet.texts.push_back({middle, y + 17, 8, name, width, true});
    const double codeWidth = kCellWidth - 2 * kCodeMargin;
    for (const auto& [code, baseline] : {std::pair{&entry.makeCode, 26}, {&entry.breakCode, 33}}) {
      if (code->empty()) continue;
      // As `show` writes it: typed zeros and separators do not count.
      FittedText fitted = FitCodeText(Cp932ToUtf8(CanonicalCodeText(*code)), 5, codeWidth);
      sheet.texts.push_back({middle, y + baseline, fitted.size, fitted.text, codeWidth, true});
    }
  }
}

void LayOutOptions(const ConfigImage& config, LayoutSheet& sheet) {
  double y = kOptionsTop;
  for (int bit = 0; bit < editor_text::kOptionFlagCount; ++bit, y += kLineHeight) {
    const bool on = (config.optionWord >> bit) & 1U;
    sheet.texts.push_back(
        {kMatrixLeft, y, 9,
         std::string(on ? "■ " : "□ ") + std::string(editor_text::OptionFlagLabel(bit))});
  }
  y += kLineHeight / 2;
  const std::optional<int> speed = SpeedIndexForBrrValue(config.brrValue);
  const std::string speedText =
      speed ? std::to_string(BitRateForSpeedIndex(*speed)) + " bps"
            : std::string(editor_text::NoSpeedText()) + " (0x" + Hex(config.brrValue) + ")";
  sheet.texts.push_back(
      {kMatrixLeft, y, 9, std::string(editor_text::SpeedLabel()) + ": " + speedText});
  y += kLineHeight;
  std::string levels = std::string(editor_text::PoInitialLabel()) + ":";
  for (int bit = 7; bit >= 4; --bit)
    levels += " PO" + std::to_string(bit) + "=" + std::to_string((config.poInitial >> bit) & 1U);
  sheet.texts.push_back({kMatrixLeft, y, 9, levels});
}

void LayOutCharacters(const ConfigImage& config, LayoutSheet& sheet) {
  for (int character = 0; character < kCharacterCount; ++character) {
    const double left = kCharactersLeft + kCharacterPitchX * (character % 4);
    const double top = kCharactersTop + kCharacterPitchY * (character / 4);
    sheet.texts.push_back({left, top - 4, 8, "0" + std::to_string(character)});
    const Character rows = CharacterOf(config.cgram, character);
    for (int row = 0; row < kCharacterRows; ++row) {
      for (int column = 0; column < kCharacterColumns; ++column) {
        const bool lit = rows[static_cast<std::size_t>(row)] & (0x10 >> column);
        sheet.boxes.push_back({left + kDotSize * column, top + kDotSize * row, kDotSize, kDotSize,
                               lit ? Shade::kDotOn : Shade::kDotOff, false});
      }
    }
  }
}

}  // namespace

double TextWidth(std::string_view utf8, double size) {
  double ems = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80)
      ems += GlyphWidth(c);
    else if (StartsGlyph(utf8[i]))
      ems += 1.0;  // "…" and the Japanese glyphs are a full em
  }
  return ems * size;
}

FittedText FitCodeText(std::string text, double size, double width) {
  const double needed = TextWidth(text, 1.0);
  if (needed * size <= width) return {std::move(text), size};
  if (needed * kSmallestCodeSize <= width) return {std::move(text), width / needed};
  static constexpr std::string_view kEllipsis = "…";
  while (!text.empty() &&
         TextWidth(text, kSmallestCodeSize) + TextWidth(kEllipsis, kSmallestCodeSize) > width) {
    DropLastGlyph(text);
  }
  // End after a whole byte: "E1,14,…", not "E1,1…".
  if (const std::size_t comma = text.rfind(','); comma != std::string::npos) text.erase(comma + 1);
  return {text + std::string(kEllipsis), kSmallestCodeSize};
}

LayoutSheet LayOutSheet(const ConfigImage& config, std::string_view fileTitle) {
  LayoutSheet sheet;
  sheet.width = kPageWidth;
  sheet.height = kPageHeight;
  std::string heading(editor_text::LayoutTitle());
  // A file name need not be UTF-8 (Latin-1, Shift_JIS); its bad bytes show
  // as U+FFFD rather than making the sheet impossible to draw.
  if (!fileTitle.empty()) heading += " - " + ValidUtf8(fileTitle);
  sheet.texts.push_back({kMatrixLeft, 40, 14, heading});
  LayOutMatrix(config, sheet);
  LayOutOptions(config, sheet);
  LayOutCharacters(config, sheet);
  return sheet;
}

}  // namespace vrx::editor
