// Hex text and whole-file input and output of bytes.
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
std::string ReadWholeFile(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace vrx::test
