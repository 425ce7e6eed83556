// Windows backend of the atomic save: a temporary file beside the target,
// written in binary (the data file's CR LF are written as they are),
// flushed, then swapped in by ReplaceFileW, which keeps the target's
// attributes and security, or MoveFileExW when there is no target yet.
#include <windows.h>

#include <algorithm>
#include <string>
#include <system_error>

#include "platform/atomic_file.h"

namespace vrx {
namespace {

bool WriteAll(HANDLE file, std::string_view contents) {
  while (!contents.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, contents.data(), chunk, &written, nullptr)) return false;
    contents.remove_prefix(written);
  }
  return true;
}

HANDLE CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target;
    temporary += L".~" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(attempt);
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// Saving through a symbolic link updates the file it names and keeps the link.
std::filesystem::path ResolveSaveTarget(const std::filesystem::path& target) {
  std::error_code error;
  if (std::filesystem::is_symlink(target, error)) {
    auto resolved = std::filesystem::weakly_canonical(target, error);
    if (!error) return resolved;
  }
  return target;
}

bool SwapIn(const std::filesystem::path& temporary, const std::filesystem::path& target) {
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
      ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                   nullptr, nullptr)) {
    return true;
  }
  return MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

// A read-only file is refused, as copy refuses it; the folder's and file's
// access rights are left to the swap itself.
bool MayReplaceFile(const std::filesystem::path& target) {
  const DWORD attributes = GetFileAttributesW(ResolveSaveTarget(target).c_str());
  return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool ReplaceFileContents(const std::filesystem::path& requested, std::string_view contents) {
  if (requested.empty() || !MayReplaceFile(requested)) return false;
  const std::filesystem::path target = ResolveSaveTarget(requested);
  // A folder is never replaced by a file (Wine's ReplaceFileW would).
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  std::filesystem::path temporary;
  const HANDLE file = CreateTemporary(target, temporary);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, contents) && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  ok = ok && SwapIn(temporary, target);
  if (!ok) DeleteFileW(temporary.c_str());
  return ok;
}

bool WriteStandardOutput(std::string_view contents) {
  // Binary: the bytes a command prints go out as they are, CR LF included.
  return WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), contents);
}

}  // namespace vrx
