// For targets whose code under test reads a named file: a temporary file
// holding one input, removed again once the input has been tried (libFuzzer
// may end a run without running exit handlers).
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace vrx::fuzz {

class InputFile {
 public:
  InputFile(const uint8_t* data, std::size_t size) {
    std::string name = (std::filesystem::temp_directory_path() / "vrx-fuzz-XXXXXX").string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) std::abort();
    ::close(fd);
    path_ = name;
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  ~InputFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vrx::fuzz
