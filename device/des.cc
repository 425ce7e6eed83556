#include "device/des.h"

#include <array>

namespace vrx {
namespace {

// The standard's tables, 1-based bit positions counted from the most
// significant bit of the input.
constexpr uint8_t kInitialPermutation[64] = {
    58, 50, 42, 34, 26, 18, 10, 2,  60, 52, 44, 36, 28, 20, 12, 4,  62, 54, 46, 38, 30, 22,
    14, 6,  64, 56, 48, 40, 32, 24, 16, 8,  57, 49, 41, 33, 25, 17, 9,  1,  59, 51, 43, 35,
    27, 19, 11, 3,  61, 53, 45, 37, 29, 21, 13, 5,  63, 55, 47, 39, 31, 23, 15, 7};

constexpr uint8_t kFinalPermutation[64] = {
    40, 8,  48, 16, 56, 24, 64, 32, 39, 7,  47, 15, 55, 23, 63, 31, 38, 6,  46, 14, 54, 22,
    62, 30, 37, 5,  45, 13, 53, 21, 61, 29, 36, 4,  44, 12, 52, 20, 60, 28, 35, 3,  43, 11,
    51, 19, 59, 27, 34, 2,  42, 10, 50, 18, 58, 26, 33, 1,  41, 9,  49, 17, 57, 25};

constexpr uint8_t kExpansion[48] = {32, 1,  2,  3,  4,  5,  4,  5,  6,  7,  8,  9,  8,  9,  10, 11,
                                    12, 13, 12, 13, 14, 15, 16, 17, 16, 17, 18, 19, 20, 21, 20, 21,
                                    22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1};

constexpr uint8_t kRoundPermutation[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23,
                                           26, 5, 18, 31, 10, 2,  8,  24, 14, 32, 27,
                                           3,  9, 19, 13, 30, 6,  22, 11, 4,  25};

constexpr uint8_t kPermutedChoice1[56] = {57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
                                          10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
                                          63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
                                          14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr uint8_t kPermutedChoice2[48] = {
    14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
    41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr uint8_t kShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

constexpr uint8_t kSBoxes[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8, 3, 10, 6, 12, 5,  9,  0,  7,  0,  15, 7,  4,  14, 2,
     13, 1,  10, 6, 12, 11, 9,  5, 3, 8,  4, 1,  14, 8,  13, 6,  2,  11, 15, 12, 9,  7,
     3,  10, 5,  0, 15, 12, 8,  2, 4, 9,  1, 7,  5,  11, 3,  14, 10, 0,  6,  13},
    {15, 1,  8,  14, 6,  11, 3,  4, 9,  7,  2, 13, 12, 0,  5,  10, 3,  13, 4,  7, 15, 2,
     8,  14, 12, 0,  1,  10, 6,  9, 11, 5,  0, 14, 7,  11, 10, 4,  13, 1,  5,  8, 12, 6,
     9,  3,  2,  15, 13, 8,  10, 1, 3,  15, 4, 2,  11, 6,  7,  12, 0,  5,  14, 9},
    {10, 0,  9,  14, 6, 3,  15, 5,  1,  13, 12, 7, 11, 4,  2,  8,  13, 7, 0,  9, 3, 4,
     6,  10, 2,  8,  5, 14, 12, 11, 15, 1,  13, 6, 4,  9,  8,  15, 3,  0, 11, 1, 2, 12,
     5,  10, 14, 7,  1, 10, 13, 0,  6,  9,  8,  7, 4,  15, 14, 3,  11, 5, 2,  12},
    {7, 13, 14, 3, 0, 6,  9, 10, 1,  2, 8,  5, 11, 12, 4,  15, 13, 8,  11, 5, 6, 15,
     0, 3,  4,  7, 2, 12, 1, 10, 14, 9, 10, 6, 9,  0,  12, 11, 7,  13, 15, 1, 3, 14,
     5, 2,  8,  4, 3, 15, 0, 6,  10, 1, 13, 8, 9,  4,  5,  11, 12, 7,  2,  14},
    {2,  12, 4, 1,  7,  10, 11, 6, 8, 5,  3, 15, 13, 0,  14, 9,  14, 11, 2,  12, 4,  7,
     13, 1,  5, 0,  15, 10, 3,  9, 8, 6,  4, 2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,
     6,  3,  0, 14, 11, 8,  12, 7, 1, 14, 2, 13, 6,  15, 0,  9,  10, 4,  5,  3},
    {12, 1,  10, 15, 9,  2,  6, 8,  0, 13, 3,  4,  14, 7,  5, 11, 10, 15, 4, 2, 7, 12,
     9,  5,  6,  1,  13, 14, 0, 11, 3, 8,  9,  14, 15, 5,  2, 8,  12, 3,  7, 0, 4, 10,
     1,  13, 11, 6,  4,  3,  2, 12, 9, 5,  15, 10, 11, 14, 1, 7,  6,  0,  8, 13},
    {4, 11, 2,  14, 15, 0,  8,  13, 3, 12, 9,  7, 5,  10, 6,  1,  13, 0,  11, 7,  4, 9,
     1, 10, 14, 3,  5,  12, 2,  15, 8, 6,  1,  4, 11, 13, 12, 3,  7,  14, 10, 15, 6, 8,
     0, 5,  9,  2,  6,  11, 13, 8,  1, 4,  10, 7, 9,  5,  0,  15, 14, 2,  3,  12},
    {13, 2, 8,  4, 6, 15, 11, 1,  10, 9,  3, 14, 5,  0,  12, 7,  1,  15, 13, 8, 10, 3,
     7,  4, 12, 5, 6, 11, 0,  14, 9,  2,  7, 11, 4,  1,  9,  12, 14, 2,  0,  6, 10, 13,
     15, 3, 5,  8, 2, 1,  14, 7,  4,  10, 8, 13, 15, 12, 9,  0,  3,  5,  6,  11}};

// Picks bits of an `inWidth`-bit value into a new value, the first table
// entry becoming the most significant output bit.
template <std::size_t N>
uint64_t Permute(uint64_t in, int inWidth, const uint8_t (&table)[N]) {
  uint64_t out = 0;
  for (uint8_t position : table) {
    out = (out << 1) | ((in >> (inWidth - position)) & 1u);
  }
  return out;
}

// A permutation applied one input byte at a time: each byte's contribution
// to the output is looked up, so a permutation costs a few table reads
// instead of one step per bit.
template <int InWidth>
class BytePermutation {
 public:
  template <std::size_t N>
  explicit BytePermutation(const uint8_t (&table)[N]) {
    for (int byte = 0; byte < kInBytes; ++byte) {
      for (unsigned value = 0; value < 256; ++value) {
        byByte_[byte][value] = Permute(uint64_t{value} << Shift(byte), InWidth, table);
      }
    }
  }

  uint64_t operator()(uint64_t in) const {
    uint64_t out = 0;
    for (int byte = 0; byte < kInBytes; ++byte) out |= byByte_[byte][(in >> Shift(byte)) & 0xFFu];
    return out;
  }

 private:
  static_assert(InWidth % 8 == 0);
  static constexpr int kInBytes = InWidth / 8;
  static constexpr int Shift(int byte) { return InWidth - 8 * (byte + 1); }
  std::array<std::array<uint64_t, 256>, kInBytes> byByte_{};
};

// S-box and permutation P together: for each box and each 6-bit input, the
// box's 4-bit output already moved to where P puts it.
class SubstitutionPermutation {
 public:
  SubstitutionPermutation() {
    for (int box = 0; box < 8; ++box) {
      for (unsigned six = 0; six < 64; ++six) {
        // Outer bits choose the row, inner four the column.
        const unsigned row = ((six & 0x20u) >> 4) | (six & 0x01u);
        const unsigned column = (six >> 1) & 0x0Fu;
        const uint64_t nibble = uint64_t{kSBoxes[box][row * 16 + column]} << (28 - 4 * box);
        table_[box][six] = static_cast<uint32_t>(Permute(nibble, 32, kRoundPermutation));
      }
    }
  }
  uint32_t operator()(int box, unsigned six) const { return table_[box][six]; }

 private:
  std::array<std::array<uint32_t, 64>, 8> table_{};
};

struct Tables {
  BytePermutation<64> initial{kInitialPermutation};
  BytePermutation<64> final{kFinalPermutation};
  BytePermutation<32> expansion{kExpansion};
  BytePermutation<64> choice1{kPermutedChoice1};
  BytePermutation<56> choice2{kPermutedChoice2};
  SubstitutionPermutation substitution;
};

// Built once from the standard's tables; constant afterwards.
const Tables& StandardTables() {
  static const Tables tables;
  return tables;
}

uint32_t RotateLeft28(uint32_t half, int count) {
  return ((half << count) | (half >> (28 - count))) & 0x0FFFFFFFu;
}

std::array<uint64_t, 16> Subkeys(const Tables& tables, uint64_t key) {
  const uint64_t permuted = tables.choice1(key);
  auto c = static_cast<uint32_t>(permuted >> 28);
  auto d = static_cast<uint32_t>(permuted & 0x0FFFFFFFu);
  std::array<uint64_t, 16> subkeys{};
  for (int round = 0; round < 16; ++round) {
    c = RotateLeft28(c, kShifts[round]);
    d = RotateLeft28(d, kShifts[round]);
    subkeys[round] = tables.choice2((uint64_t{c} << 28) | d);
  }
  return subkeys;
}

uint32_t Feistel(const Tables& tables, uint32_t right, uint64_t subkey) {
  const uint64_t mixed = tables.expansion(right) ^ subkey;
  uint32_t out = 0;
  for (int box = 0; box < 8; ++box) {
    out |= tables.substitution(box, static_cast<unsigned>(mixed >> (42 - 6 * box)) & 0x3Fu);
  }
  return out;
}

uint64_t LoadBigEndian(const uint8_t bytes[8]) {
  uint64_t value = 0;
  for (int i = 0; i < 8; ++i) value = (value << 8) | bytes[i];
  return value;
}

void StoreBigEndian(uint64_t value, uint8_t bytes[8]) {
  for (int i = 7; i >= 0; --i) {
    bytes[i] = static_cast<uint8_t>(value);
    value >>= 8;
  }
}

}  // namespace

void DesProcessBlock(const uint8_t key[8], uint8_t block[8], int mode) {
  const Tables& tables = StandardTables();
  const auto subkeys = Subkeys(tables, LoadBigEndian(key));
  const uint64_t permuted = tables.initial(LoadBigEndian(block));
  auto left = static_cast<uint32_t>(permuted >> 32);
  auto right = static_cast<uint32_t>(permuted);
  for (int round = 0; round < 16; ++round) {
    const uint64_t subkey = mode == kDesDecipher ? subkeys[15 - round] : subkeys[round];
    const uint32_t next = left ^ Feistel(tables, right, subkey);
    left = right;
    right = next;
  }
  // The halves are exchanged after the last round.
  const uint64_t preoutput = (uint64_t{right} << 32) | left;
  StoreBigEndian(tables.final(preoutput), block);
}

void DesProcessBlocks(const uint8_t key[8], std::span<uint8_t> data, int mode) {
  for (std::size_t offset = 0; offset + kDesBlockSize <= data.size(); offset += kDesBlockSize) {
    DesProcessBlock(key, data.data() + offset, mode);
  }
}

}  // namespace vrx
