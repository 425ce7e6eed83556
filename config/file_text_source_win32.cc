// Windows backend: the C runtime's descriptors opened by wide path, in
// binary mode so the reader sees the file's own CR LF.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <climits>

#include "config/file_text_source.h"

namespace vrx {

std::unique_ptr<FileTextSource> FileTextSource::Open(const std::filesystem::path& path) {
  // Folders first: the runtime opens some of them and calls them regular.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return nullptr;
  const int fd = _wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) return nullptr;
  struct _stat64 info {};
  if (_fstat64(fd, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
    _close(fd);
    return nullptr;
  }
  return std::unique_ptr<FileTextSource>(new FileTextSource(fd));
}

FileTextSource::~FileTextSource() { _close(fd_); }

std::size_t FileTextSource::Read(char* buffer, std::size_t size) {
  const unsigned int chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned int>(size);
  const int count = _read(fd_, buffer, chunk);
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

}  // namespace vrx
