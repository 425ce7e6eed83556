// The writer's data file reader on arbitrary input: it touches nothing
// outside the configuration region and agrees with the editor's reader.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/config_block.h"
#include "config/data_file.h"
#include "config/line_reader.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using vrx::fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  static vrx::FlashImage flash;
  flash.fill(0x5A);
  vrx::MemoryTextSource source(text);
  const vrx::DataFileError result = vrx::LoadConfigIntoFlashImage(source, flash);

  const auto region = flash.begin() + vrx::kConfigBlockOffset;
  auto untouched = [](uint8_t b) { return b == 0x5A; };
  Check(std::all_of(flash.begin(), region, untouched));
  Check(std::all_of(region + vrx::kConfigBlockSize, flash.end(), untouched));

  vrx::MemoryTextSource sameText(text);
  vrx::ConfigImage image;
  Check(vrx::ReadDataFile(sameText, image) == result);
  if (result == vrx::DataFileError::kNone) {
    const vrx::ConfigBlock block = vrx::ImageToBlock(image);
    // The editor keeps option, speed, port and CGRAM bytes exactly.
    Check(std::equal(block.begin(), block.begin() + 4, region));
    Check(std::equal(block.begin() + vrx::kCgramOffset, block.begin() + vrx::kKeyTableOffset,
                     region + vrx::kCgramOffset));
  }
  return 0;
}
