#include "config/config_fields.h"

#include "config/config_block.h"

namespace vrx {

std::string_view CgramRowArt(uint8_t row, char (&art)[kCgramDots + 1]) {
  for (int dot = 0; dot < kCgramDots; ++dot)
    art[dot] = (row & (0x10 >> dot)) != 0 ? kDotOn : kDotOff;
  art[kCgramDots] = '\0';
  return {art, kCgramDots};
}

ConfigImage AsStored(const ConfigImage& image) {
  ConfigImage stored;
  BlockToImage(ImageToBlock(image), stored);
  return stored;
}

}  // namespace vrx
