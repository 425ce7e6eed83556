// Names of the PC keyboard's keys (a Japanese keyboard), by Windows
// virtual-key code, as the matrix tooltip and the layout sheet show them.
#pragma once

#include <string_view>

namespace vrx {

// "" for a key without a name here.
std::string_view KeyNameForVirtualKey(unsigned virtualKey);

}  // namespace vrx
