// Reading and writing data files (.vrx): the editor's save and open, and the
// writer's load of the configuration into the flash image.
#pragma once

#include <filesystem>
#include <string>

#include "config_image.h"
#include "flash_image.h"
#include "line_reader.h"

namespace vrx {

// Saves `image` as the editor does.  False when the file could not be
// written completely; the file that was at `path` is then unchanged.  The
// editor shows message 10004 for false.
bool WriteDataFile(const std::filesystem::path& path, const ConfigImage& image);
// The bytes WriteDataFile saves (Shift_JIS text, CR LF line ends).
std::string DataFileContents(const ConfigImage& image);

// The editor's open: 0, or editor message 10004 (cannot open), 10006 (not a
// data file) or 10005 (too few values, or one above 0xFF).  `image` changes
// only on success.
int ReadDataFile(const std::filesystem::path& path, ConfigImage& image);
int ReadDataFile(TextSource& source, ConfigImage& image);

// The writer's load: 0, or writer message 10000 (empty path), 10001 (cannot
// open), 10003 (not a data file) or 10002 (too few values, or one above
// 0xFF).  Values go to 0x5000.. as they are read, so a failure can leave the
// region partly overwritten.
int LoadConfigIntoFlashImage(const std::filesystem::path& path, FlashImage& image);
int LoadConfigIntoFlashImage(TextSource& source, FlashImage& image);

}  // namespace vrx
