// The parts of a ConfigImage by name, as the command-line tools and the
// exchange formats present them to people.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "config/config_image.h"

namespace vrx {

// The option word's bits that the option page has a box for.
struct OptionFlag {
  uint16_t mask;
  std::string_view name;
};
inline constexpr std::array<OptionFlag, 7> kOptionFlags = {{
    {0x0001, "noBatCode"},
    {0x0002, "ackUnknownCommands"},
    {0x0004, "pioAsLcdControl"},
    {0x0008, "po4ToPo7AsOutputPort"},
    {0x0010, "pi0ToPi6AsColumns9To15"},
    {0x0020, "statusLedsOnPio4ToPio7"},
    {0x0040, "keyCodesToSerialPort"},
}};
inline constexpr uint16_t kNamedOptionBits = 0x007F;

// PO4..PO7 are bits 4..7 of poInitial; bits 0..3 have no pin of their own.
inline constexpr int kFirstPoPin = 4;
inline constexpr int kLastPoPin = 7;
inline constexpr uint8_t kPoPinBits = 0xF0;

// The key matrix: 8 rows of 16 columns, row 0 at the bottom.
inline constexpr int kMatrixColumns = 16;
inline constexpr int KeyRow(int keyIndex) { return keyIndex / kMatrixColumns; }
inline constexpr int KeyColumn(int keyIndex) { return keyIndex % kMatrixColumns; }

// Eight characters of 5 x 8 dots; bit 4 of a row byte is the leftmost dot.
inline constexpr int kCgramCharacters = 8;
inline constexpr int kCgramRows = 8;
inline constexpr int kCgramDots = 5;
inline constexpr uint8_t kCgramDotBits = 0x1F;
inline constexpr char kDotOn = '#';
inline constexpr char kDotOff = '.';

// "#...#" for the five dots of a row byte (bits 5..7 are not drawn).
std::string_view CgramRowArt(uint8_t row, char (&art)[kCgramDots + 1]);

// The ConfigImage a data file holding `image` reads back as: code texts
// canonical, and the typematic flag of a key without a make code as a fresh
// editor has it (the file cannot hold it).
ConfigImage AsStored(const ConfigImage& image);

}  // namespace vrx
