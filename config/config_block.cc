#include "config/config_block.h"

#include <algorithm>

#include "config/code_text.h"

namespace vrx {
namespace {

void FillCodeRecord(const std::string& codeText, uint8_t flags, uint8_t* record) {
  std::fill_n(record, kCodeRecordBytes, kAbsentCode);
  const int n = CodeTextToBytes(codeText, record + 1);
  if (n > 0) record[0] = static_cast<uint8_t>(n | flags);
}

std::string CodeRecordText(const uint8_t* record) {
  // Another tool may have written a count above 31; the record holds 31
  // code bytes, and nothing past it belongs to this code.
  const int n = std::min<int>(record[0] & kCodeCountMask, kMaxCodeBytes);
  return BytesToCodeText(record + 1, n);
}

}  // namespace

ConfigBlock ImageToBlock(const ConfigImage& image) {
  ConfigBlock block;
  block.fill(kAbsentCode);
  block[0] = static_cast<uint8_t>(image.optionWord >> 8);
  block[1] = static_cast<uint8_t>(image.optionWord & 0xFF);
  block[2] = image.brrValue;
  block[3] = image.poInitial;
  std::copy(image.cgram.begin(), image.cgram.end(), block.begin() + kCgramOffset);
  for (int i = 0; i < kKeyCount; ++i) {
    const KeyEntry& key = image.keys[static_cast<std::size_t>(i)];
    FillCodeRecord(key.makeCode, key.typematic ? kTypematicBit : 0, &block[MakeRecordOffset(i)]);
    FillCodeRecord(key.breakCode, 0, &block[BreakRecordOffset(i)]);
  }
  return block;
}

ConfigBlock BlockOfFlashImage(const FlashImage& flash) {
  ConfigBlock block;
  std::copy_n(flash.begin() + kConfigBlockOffset, kConfigBlockSize, block.begin());
  return block;
}

void BlockToImage(const ConfigBlock& block, ConfigImage& image) {
  image.optionWord = static_cast<uint16_t>((block[0] << 8) | block[1]);
  image.brrValue = block[2];
  image.poInitial = block[3];
  std::copy_n(block.begin() + kCgramOffset, kCgramBytes, image.cgram.begin());
  for (int i = 0; i < kKeyCount; ++i) {
    KeyEntry& key = image.keys[static_cast<std::size_t>(i)];
    const uint8_t* make = &block[MakeRecordOffset(i)];
    key.makeCode.clear();
    if (make[0] != kAbsentCode) {
      key.typematic = (make[0] & kTypematicBit) != 0;
      key.makeCode = CodeRecordText(make);
    }
    const uint8_t* brk = &block[BreakRecordOffset(i)];
    key.breakCode = brk[0] != kAbsentCode ? CodeRecordText(brk) : std::string();
  }
}

}  // namespace vrx
