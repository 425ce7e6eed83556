// For targets whose code under test reads a named file: one temporary file
// per run, rewritten for every input and removed when the run ends.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace vrx::fuzz {

inline const std::filesystem::path& InputFile() {
  static const std::filesystem::path path = [] {
    std::string name = (std::filesystem::temp_directory_path() / "vrx-fuzz-XXXXXX").string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) std::abort();
    ::close(fd);
    std::atexit([] { std::filesystem::remove(InputFile()); });
    return std::filesystem::path(name);
  }();
  return path;
}

// InputFile() with exactly these bytes.
inline const std::filesystem::path& WriteInputFile(const uint8_t* data, std::size_t size) {
  std::ofstream out(InputFile(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return InputFile();
}

}  // namespace vrx::fuzz
