// A data file opened for reading.  Only regular files are opened: a FIFO, a
// device or a directory would block the reader or never end.
#pragma once

#include <filesystem>
#include <memory>

#include "config/line_reader.h"

namespace vrx {

class FileTextSource : public TextSource {
 public:
  // Nothing when the path cannot be opened or is not a regular file.
  static std::unique_ptr<FileTextSource> Open(const std::filesystem::path& path);
  ~FileTextSource() override;
  FileTextSource(const FileTextSource&) = delete;
  FileTextSource& operator=(const FileTextSource&) = delete;

  std::size_t Read(char* buffer, std::size_t size) override;

 private:
  explicit FileTextSource(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace vrx
