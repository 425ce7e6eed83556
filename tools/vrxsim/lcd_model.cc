#include "tools/vrxsim/lcd_model.h"

namespace vrx::sim {

LcdModel::LcdModel() { ddram_.fill(' '); }

void LcdModel::Command(uint8_t instruction) {
  if (instruction & 0x80) {
    address_ = instruction & 0x7F;
    cgramMode_ = false;
  } else if (instruction & 0x40) {
    address_ = instruction & 0x3F;
    cgramMode_ = true;
  } else if (instruction & 0x20) {
    // Function set: interface width and font; nothing to model.
  } else if (instruction & 0x10) {
    // Cursor or display shift: only the cursor moves in this model.
    if (!cgramMode_ && (instruction & 0x08) == 0) {
      address_ = (instruction & 0x04) ? NextDisplayAddress(address_)
                                      : static_cast<uint8_t>(address_ == 0 ? 0 : address_ - 1);
    }
  } else if (instruction & 0x08) {
    displayOn_ = instruction & 0x04;
    cursorOn_ = instruction & 0x02;
    blinkOn_ = instruction & 0x01;
  } else if (instruction & 0x04) {
    increment_ = instruction & 0x02;
  } else if (instruction & 0x02) {
    address_ = 0;
    cgramMode_ = false;
  } else if (instruction & 0x01) {
    ddram_.fill(' ');
    address_ = 0;
    cgramMode_ = false;
    increment_ = true;
  }
}

uint8_t LcdModel::NextDisplayAddress(uint8_t address) const {
  // The two lines are 0x00..0x27 and 0x40..0x67; the counter jumps between
  // them and wraps like the controller's does.
  if (increment_) {
    if (address == kLineLength - 1) return kSecondLine;
    if (address == kSecondLine + kLineLength - 1) return 0;
    return static_cast<uint8_t>(address + 1);
  }
  if (address == 0) return kSecondLine + kLineLength - 1;
  if (address == kSecondLine) return kLineLength - 1;
  return static_cast<uint8_t>(address - 1);
}

void LcdModel::Data(uint8_t value) {
  if (cgramMode_) {
    cgram_[address_ & 0x3F] = value;
    address_ = static_cast<uint8_t>((address_ + (increment_ ? 1 : 63)) & 0x3F);
    return;
  }
  const int line = address_ >= kSecondLine ? 1 : 0;
  const int column = (address_ & 0x3F) % kLineLength;
  ddram_[line * kLineLength + column] = value;
  address_ = NextDisplayAddress(address_);
}

uint8_t LcdModel::DisplayAt(int line, int column) const {
  return ddram_[line * kLineLength + column];
}

std::string LcdModel::Render() const {
  std::string art;
  art += "+";
  art += std::string(kColumns * 6 - 1, '-');
  art += displayOn_ ? "+ display on" : "+ display off";
  if (cursorOn_) art += ", cursor";
  if (blinkOn_) art += ", blink";
  art += "\n";
  for (int row = 0; row < 8; ++row) {
    art += "|";
    for (int column = 0; column < kColumns; ++column) {
      const uint8_t code = DisplayAt(0, column);
      if (column > 0) art += ' ';
      if (code < 16) {
        // Codes 0..15 show the user characters (8..15 repeat 0..7).
        const uint8_t pattern = cgram_[(code & 7) * 8 + row];
        for (int dot = 4; dot >= 0; --dot) art += (pattern >> dot) & 1 ? '#' : '.';
      } else {
        const bool printable = code >= 0x20 && code < 0x7F;
        art += row == 3 && printable ? std::string("  ") + static_cast<char>(code) + "  "
                                     : std::string(5, ' ');
      }
    }
    art += "|\n";
  }
  art += "|";
  for (int column = 0; column < kColumns; ++column) {
    const uint8_t code = DisplayAt(1, column);
    art += code >= 0x20 && code < 0x7F ? static_cast<char>(code) : '?';
  }
  art += std::string(kColumns * 5 - 1, ' ');
  art += "|\n+";
  art += std::string(kColumns * 6 - 1, '-');
  art += "+\n";
  return art;
}

}  // namespace vrx::sim
