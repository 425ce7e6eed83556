#include <windows.h>

#include <string>

#include "platform/module_path.h"

namespace vrx {

std::filesystem::path OwnExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return std::filesystem::path(buffer);
    }
    buffer.resize(buffer.size() * 2);  // truncated: a long path
  }
}

std::filesystem::path SiblingProgramPath(std::string_view programName) {
  return OwnExecutablePath().parent_path() /
         std::filesystem::path(std::string(programName) + ".exe");
}

std::string ProgramName() {
  const std::u8string stem = OwnExecutablePath().stem().u8string();
  return std::string(stem.begin(), stem.end());
}

}  // namespace vrx
