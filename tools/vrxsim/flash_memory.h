// The module's 32 KB NOR flash: erasing sets a whole block to 0xFF, and
// programming can only clear bits of erased bytes.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace vrx::sim {

inline constexpr std::size_t kSimFlashSize = 0x8000;
inline constexpr int kFlashBlockCount = 5;

using FlashBytes = std::array<uint8_t, kSimFlashSize>;

struct FlashBlock {
  uint32_t start;
  uint32_t size;
};

// Blocks 0..3 are 1 KB each (0x0000..0x0FFF), block 4 is the rest
// (0x1000..0x7FFF), so erase mask 0x01 covers 0x0000..0x03FF and 0x10
// covers 0x1000..0x7FFF.
FlashBlock FlashBlockExtent(int block);

class FlashMemory {
 public:
  FlashMemory() { bytes_.fill(0xFF); }
  explicit FlashMemory(const FlashBytes& initial) : bytes_(initial) {}

  // Erases every block whose bit is set.  False (nothing erased) for a
  // mask that selects no block or a block that does not exist.
  bool EraseBlocks(uint8_t mask);

  // Programs `data` at `address`.  False, with nothing changed, when the
  // range leaves the flash or a byte would need a bit set that is clear.
  bool Program(uint32_t address, std::span<const uint8_t> data);

  uint8_t At(uint32_t address) const { return bytes_[address % kSimFlashSize]; }
  const FlashBytes& Bytes() const { return bytes_; }

  // Whole-image persistence.  Load gives an error text for a file that is
  // missing or not exactly 32768 bytes; Save writes a temporary file and
  // renames it so a crash never leaves half an image.
  static std::optional<FlashBytes> Load(const std::filesystem::path& path, std::string& error);
  bool Save(const std::filesystem::path& path, std::string& error) const;

 private:
  FlashBytes bytes_;
};

}  // namespace vrx::sim
