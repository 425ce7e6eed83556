// The message for a JSON or CSV file that cannot be imported, as the
// editor's message box and vrxtool import show it.
#pragma once

#include <string>
#include <string_view>

#include "config/config_exchange.h"

namespace vrx {

// "keys.csv:5: KEY3 make: 入力データに誤まりがあります。"
std::string ImportErrorText(std::string_view inputName, const ImportError& error);

}  // namespace vrx
