// JSON import on arbitrary input: an error leaves the base as it was, an
// error's line lies inside the input, and an accepted input exports to a
// file that imports to the same configuration.
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

// A base that differs from a fresh file, so that "unchanged" means something.
vrx::ConfigImage Base() {
  vrx::ConfigImage image;
  image.optionWord = 0x1234;
  image.keys[5].makeCode = "E0,75";
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static const vrx::ConfigImage base = Base();
  vrx::ConfigImage image = base;
  if (const auto error = vrx::ImportJson(text, image)) {
    Check(image == base);
    const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
    Check(error->line >= 0 && error->line <= lines);
    Check(error->keyNumber >= 0 && error->keyNumber <= 128);
    return 0;
  }
  for (const vrx::KeyEntry& key : image.keys) {
    Check(vrx::IsValidCodeText(key.makeCode));
    Check(vrx::IsValidCodeText(key.breakCode));
  }
  const std::string exported = vrx::ExportJson(image);
  vrx::ConfigImage again;
  Check(!vrx::ImportJson(exported, again));
  Check(vrx::ExportJson(again) == exported);
  return 0;
}
