// CSV import on arbitrary input: the promises of every import, over a base
// whose options and characters a CSV never touches.
#include <cstdint>
#include <string_view>

#include "config/config_exchange.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_import.h"

namespace {

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
  // A CSV carries keys only, so it imports again over the same base.
  const auto image = vrx::fuzz::CheckImport(vrx::ExchangeFormat::kCsv, text, base, base);
  if (image) {
    vrx::fuzz::Check(image->optionWord == base.optionWord && image->cgram == base.cgram);
  }
  return 0;
}
