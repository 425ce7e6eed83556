// Windows signs an executable by appending a certificate table after
// everything in the file and naming it in the PE header's security
// directory.  A payload packed before signing then ends where that table
// starts, no longer at the file's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vrx {

// How many of a file's first bytes FindCertificateTable looks at; a PE
// header beyond them is not looked for.
inline constexpr std::size_t kPeHeaderLimit = 4096;

struct CertificateTable {
  uint64_t offset = 0;  // a file offset, unlike the other data directories
  uint64_t size = 0;
};

// The certificate table a PE header names (`head` holds the file's first
// bytes, at most kPeHeaderLimit are used); nothing for a file that is not a
// PE executable or is not signed.
std::optional<CertificateTable> FindCertificateTable(std::span<const uint8_t> head);

// Where the content before a signature ends: the certificate table's start
// when the table is exactly the file's last `fileSize - offset` bytes, else
// the file's end (unsigned, or something appended after signing).
uint64_t SignedContentEnd(std::span<const uint8_t> head, uint64_t fileSize);

}  // namespace vrx
