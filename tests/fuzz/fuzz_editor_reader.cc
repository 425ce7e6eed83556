// The editor's data file reader on arbitrary input: one of its three
// answers, the image untouched on failure, and a loaded image that survives
// being saved and opened again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/code_text.h"
#include "config/config_block.h"
#include "config/data_file.h"
#include "config/data_file_format.h"
#include "config/line_reader.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using vrx::fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  vrx::MemoryTextSource source(text);
  vrx::ConfigImage image;
  const vrx::DataFileError result = vrx::ReadDataFile(source, image);
  if (result != vrx::DataFileError::kNone) {
    Check(result == vrx::DataFileError::kWrongFormat || result == vrx::DataFileError::kReadFailed);
    Check(image == vrx::ConfigImage{});
    return 0;
  }
  for (const vrx::KeyEntry& key : image.keys) {
    Check(vrx::IsValidCodeText(key.makeCode));
    Check(vrx::IsValidCodeText(key.breakCode));
  }
  const std::string saved = vrx::FormatDataFile(vrx::ImageToBlock(image));
  vrx::MemoryTextSource again(saved);
  vrx::ConfigImage reloaded = image;
  Check(vrx::ReadDataFile(again, reloaded) == vrx::DataFileError::kNone);
  Check(reloaded == image);
  return 0;
}
