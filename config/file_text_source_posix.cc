#include <unistd.h>

#include <cerrno>

#include "config/file_text_source.h"
#include "platform/regular_file_posix.h"

namespace vrx {

std::unique_ptr<FileTextSource> FileTextSource::Open(const std::filesystem::path& path) {
  FileReadResult why = FileReadResult::kRead;
  const int fd = OpenRegularFile(path, why);
  if (fd < 0) return nullptr;
  return std::unique_ptr<FileTextSource>(new FileTextSource(fd));
}

FileTextSource::~FileTextSource() { ::close(fd_); }

std::size_t FileTextSource::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(fd_, buffer, size);
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno != EINTR) return 0;
  }
}

}  // namespace vrx
