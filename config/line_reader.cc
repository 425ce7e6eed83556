#include "config/line_reader.h"

#include <algorithm>
#include <cstring>

namespace vrx {

std::size_t MemoryTextSource::Read(char* buffer, std::size_t size) {
  const std::size_t count = std::min(size, text_.size());
  std::memcpy(buffer, text_.data(), count);
  text_.remove_prefix(count);
  return count;
}

bool LineReader::Refill() {
  pos_ = 0;
  length_ = source_.Read(buffer_, sizeof buffer_);
  return length_ > 0;
}

bool LineReader::ReadPiece(std::string& piece) {
  piece.clear();
  while (piece.size() < kLineBufferSize - 1) {
    if (pos_ == length_ && !Refill()) break;
    const std::size_t room = kLineBufferSize - 1 - piece.size();
    const std::size_t available = std::min(room, length_ - pos_);
    const char* start = buffer_ + pos_;
    const char* newline = static_cast<const char*>(std::memchr(start, '\n', available));
    const std::size_t take = newline ? static_cast<std::size_t>(newline - start) + 1 : available;
    piece.append(start, take);
    pos_ += take;
    if (newline) break;
  }
  return !piece.empty();
}

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::string ReadSignificantLine(LineReader& reader) {
  std::string piece;
  while (reader.ReadPiece(piece)) {
    piece.resize(std::strlen(piece.c_str()));
    const auto first = std::find_if_not(piece.begin(), piece.end(), IsBlank);
    if (first != piece.end() && *first != '/') return std::string(first, piece.end());
  }
  return {};
}

}  // namespace vrx
