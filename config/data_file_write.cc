#include "atomic_file.h"
#include "config_block.h"
#include "data_file.h"
#include "data_file_format.h"

namespace vrx {

bool WriteDataFile(const std::filesystem::path& path, const ConfigImage& image) {
  return ReplaceFileContents(path, DataFileContents(image));
}

std::string DataFileContents(const ConfigImage& image) {
  return FormatDataFile(ImageToBlock(image));
}

}  // namespace vrx
