// The text of a data file exactly as the editor saves it: Shift_JIS comments
// and CR LF line ends on every platform.
#pragma once

#include <string>
#include <string_view>

#include "config/config_block.h"

namespace vrx {

inline constexpr std::string_view kDataFileIdentification = "VRX7100 DATA FILE";

std::string FormatDataFile(const ConfigBlock& block);

}  // namespace vrx
