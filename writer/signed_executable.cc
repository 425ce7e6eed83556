#include "writer/signed_executable.h"

namespace vrx {
namespace {

constexpr std::size_t kNewHeaderPointer = 0x3C;  // e_lfanew in the MS-DOS header
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSecurityDirectory = 4;
constexpr std::size_t kDirectoryEntrySize = 8;

uint32_t Little16(std::span<const uint8_t> bytes, std::size_t at) {
  return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8;
}

uint32_t Little32(std::span<const uint8_t> bytes, std::size_t at) {
  return Little16(bytes, at) | Little16(bytes, at + 2) << 16;
}

}  // namespace

std::optional<CertificateTable> FindCertificateTable(std::span<const uint8_t> head) {
  if (head.size() > kPeHeaderLimit) head = head.first(kPeHeaderLimit);
  if (head.size() < kNewHeaderPointer + 4 || head[0] != 'M' || head[1] != 'Z') return std::nullopt;
  const uint64_t pe = Little32(head, kNewHeaderPointer);
  const uint64_t optional = pe + 4 + kCoffHeaderSize;
  if (optional + 2 > head.size()) return std::nullopt;
  if (head[pe] != 'P' || head[pe + 1] != 'E' || head[pe + 2] != 0 || head[pe + 3] != 0)
    return std::nullopt;
  const uint64_t optionalSize = Little16(head, pe + 4 + 16);

  // PE32 and PE32+ differ in where the directory count and the directories
  // sit in the optional header.
  uint64_t countAt = 0;
  switch (Little16(head, optional)) {
    case 0x10B:
      countAt = 92;
      break;
    case 0x20B:
      countAt = 108;
      break;
    default:
      return std::nullopt;
  }
  const uint64_t entryAt = countAt + 4 + kSecurityDirectory * kDirectoryEntrySize;
  if (entryAt + kDirectoryEntrySize > optionalSize) return std::nullopt;
  if (optional + entryAt + kDirectoryEntrySize > head.size()) return std::nullopt;
  if (Little32(head, optional + countAt) <= kSecurityDirectory) return std::nullopt;

  CertificateTable table;
  table.offset = Little32(head, optional + entryAt);
  table.size = Little32(head, optional + entryAt + 4);
  if (table.offset == 0 || table.size == 0) return std::nullopt;
  return table;
}

uint64_t SignedContentEnd(std::span<const uint8_t> head, uint64_t fileSize) {
  const auto table = FindCertificateTable(head);
  if (!table || table->offset > fileSize || fileSize - table->offset != table->size)
    return fileSize;
  return table->offset;
}

}  // namespace vrx
