// The identification check and value scan that both programs' readers share,
// so that they accept exactly the same files.
#pragma once

#include <cstdint>
#include <span>

#include "config/config_block.h"
#include "config/line_reader.h"

namespace vrx {

enum class ScanResult {
  kOk,
  kNotADataFile,  // the first significant line lacks the identification
  kBadValues,     // fewer than 8448 values, or a value above 0xFF
};

// Stores each value as it is read; on failure `destination` holds the values
// read so far.  Whatever follows the 8448th value is not read.
ScanResult ScanConfigBlock(LineReader& reader, std::span<uint8_t, kConfigBlockSize> destination);

}  // namespace vrx
