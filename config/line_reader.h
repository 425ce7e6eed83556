// Line input as the data file readers see it: pieces of at most 255 bytes,
// like fgets into a 256-byte buffer, from a file or from memory.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vrx {

class TextSource {
 public:
  virtual ~TextSource() = default;
  // Fills up to `size` bytes; 0 at the end of the input (or on a read error,
  // which the readers then report as a file that ends too early).
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class MemoryTextSource : public TextSource {
 public:
  explicit MemoryTextSource(std::string_view text) : text_(text) {}
  // The source only looks at the text; it must outlive the source.
  explicit MemoryTextSource(std::string&&) = delete;
  std::size_t Read(char* buffer, std::size_t size) override;

 private:
  std::string_view text_;
};

inline constexpr std::size_t kLineBufferSize = 256;

class LineReader {
 public:
  explicit LineReader(TextSource& source) : source_(source) {}

  // The next piece: bytes up to and including a '\n', but never more than
  // kLineBufferSize - 1 bytes.  False at the end of the input.
  bool ReadPiece(std::string& piece);

 private:
  bool Refill();

  TextSource& source_;
  char buffer_[4096];
  std::size_t pos_ = 0;
  std::size_t length_ = 0;
};

// The next piece that carries data, with leading white space removed: empty
// pieces, blank ones and those starting with "/" are skipped.  A piece ends
// at its first NUL byte, as a C string would.  Empty at the end of the input.
std::string ReadSignificantLine(LineReader& reader);

}  // namespace vrx
