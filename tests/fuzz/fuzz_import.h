// What every import promises on arbitrary input: an error leaves the base
// as it was and its line lies inside the input; an accepted input holds
// valid codes only and exports to a file that imports over `reimportBase`
// to the same export.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "config/code_text.h"
#include "config/config_exchange.h"
#include "tests/fuzz/fuzz_check.h"

namespace vrx::fuzz {

// The imported image, or nothing when the input was refused.
inline std::optional<ConfigImage> CheckImport(ExchangeFormat format, std::string_view text,
                                              const ConfigImage& base,
                                              const ConfigImage& reimportBase) {
  ConfigImage image = base;
  if (const auto error = ImportConfig(format, text, image)) {
    Check(image == base);
    const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
    Check(error->line >= 0 && error->line <= lines);
    Check(error->keyNumber >= 0 && error->keyNumber <= 128);
    return std::nullopt;
  }
  for (const KeyEntry& key : image.keys) {
    Check(IsValidCodeText(key.makeCode));
    Check(IsValidCodeText(key.breakCode));
  }
  const std::string exported = ExportConfig(format, image);
  ConfigImage again = reimportBase;
  Check(!ImportConfig(format, exported, again));
  Check(ExportConfig(format, again) == exported);
  return image;
}

}  // namespace vrx::fuzz
