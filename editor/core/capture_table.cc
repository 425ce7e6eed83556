#include "editor/core/capture_table.h"

#include <initializer_list>

#include "config/code_text.h"

namespace vrx {
namespace {

struct PlainRun {
  unsigned firstKey;
  std::initializer_list<uint8_t> codes;  // codes of firstKey, firstKey+1, ...
};

struct ExtendedKey {
  unsigned key;
  uint8_t code;  // the byte after E0
};

CaptureTableType BuildCaptureTable() {
  const PlainRun plain[] = {
      {0x08, {0x66, 0x0D}},        // Back, Tab
      {0x0D, {0x5A}},              // Return (both Enter keys)
      {0x10, {0x12, 0x14, 0x11}},  // Shift, Control, Alt
      {0x1B, {0x76, 0x67, 0x64}},  // Escape, Convert, NonConvert
      {0x20, {0x29}},              // Space
      {0x30, {0x45, 0x16, 0x1E, 0x26, 0x25, 0x2E, 0x36, 0x3D, 0x3E, 0x46}},  // 0..9
      {0x41, {0x1C, 0x32, 0x21, 0x23, 0x24, 0x2B, 0x34, 0x33, 0x43, 0x3B, 0x42, 0x4B, 0x3A, 0x31,
              0x44, 0x4D, 0x15, 0x2D, 0x1B, 0x2C, 0x3C, 0x2A, 0x1D, 0x22, 0x35, 0x1A}},  // A..Z
      {0x5B, {0x8B, 0x8C, 0x8D}},                                            // LWin, RWin, Apps
      {0x60, {0x70, 0x69, 0x72, 0x7A, 0x6B, 0x73, 0x74, 0x6C, 0x75, 0x7D}},  // NumPad 0..9
      {0x6A, {0x7C, 0x79}},                                                  // Multiply, Add
      {0x6D, {0x7B, 0x71}},                                                  // Subtract, Decimal
      {0x70, {0x05, 0x06, 0x04, 0x0C, 0x03, 0x0B, 0x83, 0x0A, 0x01, 0x09, 0x78, 0x07}},  // F1..F12
      {0x90, {0x77, 0x7E}},                          // NumLock, Scroll
      {0xBB, {0x4C, 0x41, 0x4E, 0x49, 0x4A, 0x54}},  // OEM plus, comma, minus, period, 2, 3
      {0xDB, {0x5B, 0x6A, 0x5D, 0x55}},              // OEM 4..7
      {0xE2, {0x51}},                                // OEM 102
      {0xE5, {0x0E}},                                // ProcessKey
      {0xF0, {0x58}},                                // OEM Attn
      {0xF2, {0x13, 0x0E, 0x0E}},                    // OEM Copy, Auto, Enlw
  };
  const ExtendedKey extended[] = {
      {0x21, 0x7D}, {0x22, 0x7A}, {0x23, 0x69}, {0x24, 0x6C},  // PgUp, PgDn, End, Home
      {0x25, 0x6B}, {0x26, 0x75}, {0x27, 0x74}, {0x28, 0x72},  // arrows
      {0x2D, 0x70}, {0x2E, 0x71},                              // Insert, Delete
      {0x6F, 0x4A},                                            // Divide
  };

  CaptureTableType table{};
  for (const PlainRun& run : plain) {
    unsigned key = run.firstKey;
    for (uint8_t code : run.codes) table[key++] = CaptureEntry{code, 0x00};
  }
  for (const ExtendedKey& key : extended) table[key.key] = CaptureEntry{0xE0, key.code};
  return table;
}

}  // namespace

const CaptureTableType& CaptureTable() {
  static const CaptureTableType table = BuildCaptureTable();
  return table;
}

std::optional<CapturedKey> TranslateCapturedKey(unsigned virtualKey) {
  constexpr unsigned kVkPause = 0x13;
  constexpr unsigned kVkSnapshot = 0x2C;
  if (virtualKey > 0xFF) return std::nullopt;
  // These two send sequences that the table's one-or-two-byte form cannot hold.
  if (virtualKey == kVkPause) return CapturedKey{"E1,14,77,E1,F0,14,F0,77", "", false};
  if (virtualKey == kVkSnapshot) return CapturedKey{"E0,12,E0,7C", "E0,F0,7C,E0,F0,12", true};

  const CaptureEntry entry = CaptureTable()[virtualKey];
  if (entry.first == 0x00) return std::nullopt;
  if (entry.first == 0xE0) {
    const uint8_t make[] = {0xE0, entry.second};
    const uint8_t brk[] = {0xE0, 0xF0, entry.second};
    return CapturedKey{BytesToCodeText(make, 2), BytesToCodeText(brk, 3), true};
  }
  const uint8_t brk[] = {0xF0, entry.first};
  return CapturedKey{BytesToCodeText(&entry.first, 1), BytesToCodeText(brk, 2), true};
}

}  // namespace vrx
