#include "tools/vrxsim/flash_memory.h"

#include <fstream>
#include <system_error>

namespace vrx::sim {

FlashBlock FlashBlockExtent(int block) {
  if (block < 4) return {static_cast<uint32_t>(block) * 0x400u, 0x400u};
  return {0x1000u, 0x7000u};
}

bool FlashMemory::EraseBlocks(uint8_t mask) {
  if (mask == 0 || (mask >> kFlashBlockCount) != 0) return false;
  for (int block = 0; block < kFlashBlockCount; ++block) {
    if ((mask & (1u << block)) == 0) continue;
    const FlashBlock extent = FlashBlockExtent(block);
    std::fill_n(bytes_.begin() + extent.start, extent.size, uint8_t{0xFF});
  }
  return true;
}

bool FlashMemory::Program(uint32_t address, std::span<const uint8_t> data) {
  if (address > kSimFlashSize || data.size() > kSimFlashSize - address) return false;
  for (std::size_t i = 0; i < data.size(); ++i) {
    // NOR cells only go from 1 to 0; a 0 that should become 1 needs an erase.
    if ((data[i] & ~bytes_[address + i]) != 0) return false;
  }
  std::copy(data.begin(), data.end(), bytes_.begin() + address);
  return true;
}

std::optional<FlashBytes> FlashMemory::Load(const std::filesystem::path& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open flash file " + path.string();
    return std::nullopt;
  }
  FlashBytes bytes;
  in.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
  const bool full = in.gcount() == static_cast<std::streamsize>(bytes.size());
  in.get();
  if (!full || !in.eof()) {
    error = "flash file " + path.string() + " is not exactly 32768 bytes";
    return std::nullopt;
  }
  return bytes;
}

bool FlashMemory::Save(const std::filesystem::path& path, std::string& error) const {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes_.data()), bytes_.size());
    out.close();
    if (!out) {
      error = "cannot write flash file " + temporary.string();
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    error = "cannot replace flash file " + path.string() + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace vrx::sim
