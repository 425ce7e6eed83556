// Reading a whole file that must be an ordinary file of bounded size: a
// settings file or a firmware image.  A FIFO, a device or a directory named
// where such a file belongs is refused without being read, so the reader can
// neither block nor run out of memory.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace vrx {

enum class FileReadResult {
  kRead,
  kMissing,     // nothing by that name
  kNotRegular,  // a FIFO, device, socket or folder
  kTooLarge,    // more than the limit
  kUnreadable,  // permission or input/output error
};

// Fills `contents` with the file's bytes when the result is kRead; reads at
// most `limit` + 1 bytes whatever the file holds.
FileReadResult ReadRegularFile(const std::filesystem::path& path, std::size_t limit,
                               std::string& contents);

}  // namespace vrx
