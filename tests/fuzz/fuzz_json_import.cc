// JSON import on arbitrary input: the promises of every import; an accepted
// input's export carries the whole configuration, so it imports again over a
// fresh one.
#include <cstdint>
#include <string_view>

#include "config/config_exchange.h"
#include "tests/fuzz/fuzz_import.h"

namespace {

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
  vrx::fuzz::CheckImport(vrx::ExchangeFormat::kJson, text, base, vrx::ConfigImage{});
  return 0;
}
