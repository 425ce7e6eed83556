#include "config_block.h"
#include "config_scan.h"
#include "data_file.h"
#include "file_text_source.h"
#include "message_table.h"

namespace vrx {

int ReadDataFile(TextSource& source, ConfigImage& image) {
  LineReader reader(source);
  ConfigBlock block{};
  switch (ScanConfigBlock(reader, block)) {
    case ScanResult::kOk:
      break;
    case ScanResult::kNotADataFile:
      return editor_msg::kFileWrongFormat;
    case ScanResult::kBadValues:
      return editor_msg::kFileReadFailed;
  }
  BlockToImage(block, image);
  return 0;
}

int ReadDataFile(const std::filesystem::path& path, ConfigImage& image) {
  const auto source = FileTextSource::Open(path);
  if (!source) return editor_msg::kFileOpenFailed;
  return ReadDataFile(*source, image);
}

int LoadConfigIntoFlashImage(TextSource& source, FlashImage& image) {
  LineReader reader(source);
  const std::span<uint8_t, kConfigBlockSize> region(image.data() + kConfigBlockOffset,
                                                     kConfigBlockSize);
  switch (ScanConfigBlock(reader, region)) {
    case ScanResult::kOk:
      return 0;
    case ScanResult::kNotADataFile:
      return writer_msg::kFileWrongFormat;
    case ScanResult::kBadValues:
      return writer_msg::kFileReadFailed;
  }
  return writer_msg::kFileReadFailed;
}

int LoadConfigIntoFlashImage(const std::filesystem::path& path, FlashImage& image) {
  if (path.empty()) return writer_msg::kNoFileSelected;
  const auto source = FileTextSource::Open(path);
  if (!source) return writer_msg::kFileOpenFailed;
  return LoadConfigIntoFlashImage(*source, image);
}

}  // namespace vrx
