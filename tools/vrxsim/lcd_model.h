// The module's character LCD: an HD44780-style controller with 64 bytes of
// CGRAM (eight 5x8 user characters) and a two-line display memory.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vrx::sim {

class LcdModel {
 public:
  static constexpr int kColumns = 16;  // the width drawn by Render
  static constexpr int kLineLength = 40;
  static constexpr uint8_t kSecondLine = 0x40;

  LcdModel();

  // An instruction byte (what the host sends after 0xD7).
  void Command(uint8_t instruction);
  // A data byte (what the host sends after 0xD9): goes to CGRAM or the
  // display memory, wherever the last address instruction pointed.
  void Data(uint8_t value);

  const std::array<uint8_t, 64>& Cgram() const { return cgram_; }
  uint8_t DisplayAt(int line, int column) const;
  bool DisplayOn() const { return displayOn_; }
  bool CursorOn() const { return cursorOn_; }
  bool BlinkOn() const { return blinkOn_; }
  uint8_t AddressCounter() const { return address_; }
  bool AddressingCgram() const { return cgramMode_; }

  // Text art of the first `kColumns` positions: the first line as 5x8 dot
  // blocks ('#' lit, '.' dark; other characters centred in a blank block),
  // then the second line as plain text.
  std::string Render() const;

 private:
  uint8_t NextDisplayAddress(uint8_t address) const;

  std::array<uint8_t, 64> cgram_{};
  std::array<uint8_t, 2 * kLineLength> ddram_;
  uint8_t address_ = 0;
  bool cgramMode_ = false;
  bool increment_ = true;
  bool displayOn_ = false;
  bool cursorOn_ = false;
  bool blinkOn_ = false;
};

}  // namespace vrx::sim
