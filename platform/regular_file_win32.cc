// Windows backend: a handle opened for reading only when the name is a file
// on a disk; consoles, pipes, COM ports and folders are refused unread.
#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "platform/regular_file.h"

namespace vrx {
namespace {

FileReadResult WhyOpenFailed(const std::filesystem::path& path, DWORD error) {
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
    return FileReadResult::kMissing;
  // A folder cannot be opened this way; say what it is rather than "unreadable".
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return FileReadResult::kNotRegular;
  return FileReadResult::kUnreadable;
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

FileReadResult ReadRegularFile(const std::filesystem::path& path, std::size_t limit,
                               std::string& contents) {
  Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return WhyOpenFailed(path, GetLastError());
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return FileReadResult::kNotRegular;
  const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  if (size > limit) return FileReadResult::kTooLarge;
  // One byte past the limit tells a file that grew while we read it.
  const std::size_t wanted = limit < SIZE_MAX ? limit + 1 : limit;
  std::string bytes(std::min<std::size_t>(wanted, static_cast<std::size_t>(size) + 1), '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (filled >= wanted) break;
      bytes.resize(std::min(wanted, bytes.size() * 2 + 4096));
    }
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1u << 30));
    DWORD count = 0;
    if (!ReadFile(file.get(), bytes.data() + filled, chunk, &count, nullptr))
      return FileReadResult::kUnreadable;
    if (count == 0) break;
    filled += count;
  }
  if (filled > limit) return FileReadResult::kTooLarge;
  bytes.resize(filled);
  contents = std::move(bytes);
  return FileReadResult::kRead;
}

}  // namespace vrx
