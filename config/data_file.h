// Reading and writing data files (.vrx): the editor's save and open, and the
// writer's load of the configuration into the flash image.
#pragma once

#include <filesystem>
#include <string>

#include "config/config_image.h"
#include "config/flash_image.h"
#include "config/line_reader.h"

namespace vrx {

// Why a data file could not be read.
enum class DataFileError {
  kNone,
  kNoFileSelected,  // the path is empty
  kOpenFailed,      // the file cannot be opened
  kReadFailed,      // too few values, or one above 0xFF
  kWrongFormat,     // the identification line is missing
};

// Saves `image` as the editor does.  False when the file could not be
// written completely; the file that was at `path` is then unchanged.
bool WriteDataFile(const std::filesystem::path& path, const ConfigImage& image);
// The bytes WriteDataFile saves (Shift_JIS text, CR LF line ends).
std::string DataFileContents(const ConfigImage& image);

// The editor's open.  `image` changes only on success.
DataFileError ReadDataFile(const std::filesystem::path& path, ConfigImage& image);
DataFileError ReadDataFile(TextSource& source, ConfigImage& image);

// The writer's load.  Values go to 0x5000.. as they are read, so a failure
// can leave the region partly overwritten.
DataFileError LoadConfigIntoFlashImage(const std::filesystem::path& path, FlashImage& image);
DataFileError LoadConfigIntoFlashImage(TextSource& source, FlashImage& image);

}  // namespace vrx
