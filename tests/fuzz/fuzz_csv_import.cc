// CSV import on arbitrary input: an error leaves the base as it was, an
// error's line lies inside the input, and an accepted input exports to a
// file that imports over the same base to the same key map.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/code_text.h"
#include "config/config_exchange.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

vrx::ConfigImage Base() {
  vrx::ConfigImage image;
  image.keys[0].makeCode = "1C";
  image.keys[0].typematic = true;
  image.keys[127].breakCode = "F0,5A";
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static const vrx::ConfigImage base = Base();
  vrx::ConfigImage image = base;
  if (const auto error = vrx::ImportCsv(text, image)) {
    Check(image == base);
    const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
    Check(error->line >= 0 && error->line <= lines);
    Check(error->keyNumber >= 0 && error->keyNumber <= 128);
    return 0;
  }
  // A CSV carries keys only.
  Check(image.optionWord == base.optionWord && image.cgram == base.cgram);
  for (const vrx::KeyEntry& key : image.keys) {
    Check(vrx::IsValidCodeText(key.makeCode));
    Check(vrx::IsValidCodeText(key.breakCode));
  }
  const std::string exported = vrx::ExportCsv(image);
  vrx::ConfigImage again = base;
  Check(!vrx::ImportCsv(exported, again));
  Check(vrx::ExportCsv(again) == exported);
  return 0;
}
