#include "platform/regular_file_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace vrx {

int OpenRegularFile(const std::filesystem::path& path, FileReadResult& why) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = errno == ENOENT || errno == ENOTDIR ? FileReadResult::kMissing
          : errno == ENXIO ? FileReadResult::kNotRegular  // a socket, or a device without driver
                           : FileReadResult::kUnreadable;
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    why = FileReadResult::kNotRegular;
    return -1;
  }
  why = FileReadResult::kRead;
  return fd;
}

FileReadResult ReadRegularFile(const std::filesystem::path& path, std::size_t limit,
                               std::string& contents) {
  FileReadResult result = FileReadResult::kRead;
  const int fd = OpenRegularFile(path, result);
  if (fd < 0) return result;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && static_cast<unsigned long long>(info.st_size) > limit) {
    ::close(fd);
    return FileReadResult::kTooLarge;
  }
  // The size may change while we read; one byte past the limit tells a file
  // that grew meanwhile.
  const std::size_t wanted = limit < SIZE_MAX ? limit + 1 : limit;
  std::string bytes(std::min<std::size_t>(wanted, static_cast<std::size_t>(info.st_size) + 1),
                    '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (filled >= wanted) break;
      bytes.resize(std::min(wanted, bytes.size() * 2 + 4096));
    }
    const ssize_t count = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      ::close(fd);
      return FileReadResult::kUnreadable;
    }
    if (count == 0) break;
    filled += static_cast<std::size_t>(count);
  }
  ::close(fd);
  if (filled > limit) return FileReadResult::kTooLarge;
  bytes.resize(filled);
  contents = std::move(bytes);
  return FileReadResult::kRead;
}

}  // namespace vrx
