#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file_text_source.h"

namespace vrx {

std::unique_ptr<FileTextSource> FileTextSource::Open(const std::filesystem::path& path) {
  // O_NONBLOCK keeps the open itself from waiting for a FIFO's writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
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
