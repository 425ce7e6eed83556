// Small helpers shared by the container tests: hex text, scratch folders
// and whole-file input and output.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vrx::test {

using Bytes = std::vector<uint8_t>;

// "0123ABCD" -> {0x01, 0x23, 0xAB, 0xCD}; the text must be valid.
Bytes FromHex(std::string_view hex);
std::string ToHex(const uint8_t* bytes, std::size_t size);

Bytes ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);

// A fresh folder under the system's temporary folder, removed with the
// object.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Runs a shell command; returns its exit status (-1 if it could not run).
int RunCommand(const std::string& command);

}  // namespace vrx::test
