// Paths from and to the UTF-8 text the programs carry.  A path made from a
// plain std::string is read in the system's narrow encoding, which on Windows
// is not UTF-8 (MinGW's library even widens it byte by byte), so every
// crossing between text and path goes through char8_t, which the standard
// library reads as UTF-8 on every platform.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vrx {

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

}  // namespace vrx
