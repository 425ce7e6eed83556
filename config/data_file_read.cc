#include "config/config_block.h"
#include "config/config_scan.h"
#include "config/data_file.h"
#include "config/file_text_source.h"

namespace vrx {
namespace {

DataFileError AsError(ScanResult result) {
  switch (result) {
    case ScanResult::kOk:
      return DataFileError::kNone;
    case ScanResult::kNotADataFile:
      return DataFileError::kWrongFormat;
    case ScanResult::kBadValues:
      break;
  }
  return DataFileError::kReadFailed;
}

}  // namespace

DataFileError ReadDataFile(TextSource& source, ConfigImage& image) {
  LineReader reader(source);
  ConfigBlock block{};
  const DataFileError error = AsError(ScanConfigBlock(reader, block));
  if (error == DataFileError::kNone) BlockToImage(block, image);
  return error;
}

DataFileError ReadDataFile(const std::filesystem::path& path, ConfigImage& image) {
  const auto source = FileTextSource::Open(path);
  if (!source) return DataFileError::kOpenFailed;
  return ReadDataFile(*source, image);
}

DataFileError LoadConfigIntoFlashImage(TextSource& source, FlashImage& image) {
  LineReader reader(source);
  const std::span<uint8_t, kConfigBlockSize> region(image.data() + kConfigBlockOffset,
                                                    kConfigBlockSize);
  return AsError(ScanConfigBlock(reader, region));
}

DataFileError LoadConfigIntoFlashImage(const std::filesystem::path& path, FlashImage& image) {
  if (path.empty()) return DataFileError::kNoFileSelected;
  const auto source = FileTextSource::Open(path);
  if (!source) return DataFileError::kOpenFailed;
  return LoadConfigIntoFlashImage(*source, image);
}

}  // namespace vrx
