#include "config/config_block.h"
#include "config/data_file.h"
#include "config/data_file_format.h"
#include "platform/atomic_file.h"

namespace vrx {

bool WriteDataFile(const std::filesystem::path& path, const ConfigImage& image) {
  return ReplaceFileContents(path, DataFileContents(image));
}

std::string DataFileContents(const ConfigImage& image) {
  return FormatDataFile(ImageToBlock(image));
}

}  // namespace vrx
