#include "config/config_scan.h"

#include "config/data_file_format.h"
#include "config/hex_token.h"

namespace vrx {

ScanResult ScanConfigBlock(LineReader& reader, std::span<uint8_t, kConfigBlockSize> destination) {
  if (ReadSignificantLine(reader).find(kDataFileIdentification) == std::string::npos) {
    return ScanResult::kNotADataFile;
  }
  std::string line = ReadSignificantLine(reader);
  std::size_t pos = 0;
  for (uint8_t& value : destination) {
    // Everything but a hexadecimal digit separates values; "/" starts a
    // comment that runs to the end of the line.
    while (pos >= line.size() || !IsHexDigit(line[pos])) {
      if (line.empty()) return ScanResult::kBadValues;
      if (pos >= line.size() || line[pos] == '/') {
        line = ReadSignificantLine(reader);
        pos = 0;
      } else {
        ++pos;
      }
    }
    const HexToken token = ReadHexToken(line, pos);
    if (token.value > 0xFF) return ScanResult::kBadValues;
    value = static_cast<uint8_t>(token.value);
    pos = token.end;
  }
  return ScanResult::kOk;
}

}  // namespace vrx
