#include "writer/firmware_container.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "device/des.h"
#include "resources/message_table.h"
#include "resources/writer_log_texts.h"
#include "writer/signed_executable.h"

namespace vrx {
namespace {

// Reads exactly `out.size()` bytes at `offset`; false on any I/O error.
bool ReadAt(std::ifstream& file, uint64_t offset, std::span<uint8_t> out) {
  if (out.empty()) return true;
  file.seekg(static_cast<std::streamoff>(offset));
  file.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return file && static_cast<std::size_t>(file.gcount()) == out.size();
}

ContainerResult ReadPayloadInto(const std::filesystem::path& executable, FlashImage& image,
                                uint32_t& payloadSize) {
  // Only a regular file: opening a FIFO would block and a directory has no
  // bytes to give.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(executable, ec)) return ContainerResult::kUnreadable;
  std::ifstream file(executable, std::ios::binary);
  if (!file) return ContainerResult::kUnreadable;

  file.seekg(0, std::ios::end);
  const std::streamoff fileEnd = file.tellg();
  if (!file || fileEnd < 0) return ContainerResult::kUnreadable;
  // A signed executable carries the container just before its certificate
  // table; any other file at its end.
  std::array<uint8_t, kPeHeaderLimit> head{};
  const std::span<uint8_t> headRead(
      head.data(), std::min<uint64_t>(head.size(), static_cast<uint64_t>(fileEnd)));
  if (!ReadAt(file, 0, headRead)) return ContainerResult::kUnreadable;
  const uint64_t length = SignedContentEnd(headRead, static_cast<uint64_t>(fileEnd));
  // Too short to hold a trailer: shorter than any length field plus 12.
  if (length < kTrailerSize) return ContainerResult::kTruncated;

  std::array<uint8_t, kTrailerSize> trailerBytes{};
  if (!ReadAt(file, length - kTrailerSize, trailerBytes)) return ContainerResult::kUnreadable;
  const ContainerTrailer trailer = DecodeTrailer(trailerBytes);
  if (trailer.payloadSize > kMaxPayloadSize) return ContainerResult::kTooLarge;
  if (uint64_t{trailer.payloadSize} + kTrailerSize > length) return ContainerResult::kTruncated;
  payloadSize = trailer.payloadSize;

  const std::span<uint8_t> payload(image.data(), trailer.payloadSize);
  if (!ReadAt(file, length - kTrailerSize - trailer.payloadSize, payload)) {
    return ContainerResult::kUnreadable;
  }
  // A partial last block is deciphered whole, with the 0xFF fill after the
  // payload; the image size is a multiple of 8, so the block always fits.
  const std::size_t blocks = (trailer.payloadSize + kDesBlockSize - 1) / kDesBlockSize;
  DesProcessBlocks(trailer.key.data(), std::span<uint8_t>(image.data(), blocks * kDesBlockSize),
                   kDesDecipher);
  return ContainerResult::kOk;
}

}  // namespace

ContainerTrailer DecodeTrailer(std::span<const uint8_t, kTrailerSize> bytes) {
  ContainerTrailer trailer;
  std::copy_n(bytes.begin(), kDesKeySize, trailer.key.begin());
  trailer.reserved = bytes[8];
  trailer.payloadSize = (uint32_t{bytes[9]} << 16) | (uint32_t{bytes[10]} << 8) | bytes[11];
  return trailer;
}

std::array<uint8_t, kTrailerSize> EncodeTrailer(const ContainerTrailer& trailer) {
  std::array<uint8_t, kTrailerSize> bytes{};
  std::copy(trailer.key.begin(), trailer.key.end(), bytes.begin());
  bytes[8] = trailer.reserved;
  bytes[9] = static_cast<uint8_t>(trailer.payloadSize >> 16);
  bytes[10] = static_cast<uint8_t>(trailer.payloadSize >> 8);
  bytes[11] = static_cast<uint8_t>(trailer.payloadSize);
  return bytes;
}

ContainerResult ReadFirmwarePayload(const std::filesystem::path& executable, FlashImage& image,
                                    uint32_t* payloadSize) {
  image.fill(0xFF);
  uint32_t size = 0;
  const ContainerResult result = ReadPayloadInto(executable, image, size);
  // A read that failed halfway may have left payload bytes behind.
  if (result != ContainerResult::kOk) image.fill(0xFF);
  if (payloadSize) *payloadSize = result == ContainerResult::kOk ? size : 0;
  return result;
}

bool LoadFirmwarePayload(FlashImage& image, WriteLog& log, MessageBoxSink& boxes,
                         const std::filesystem::path& executable) {
  uint32_t payloadSize = 0;
  ContainerResult result = ReadFirmwarePayload(executable, image, &payloadSize);
  // No firmware at all (the payload stripped off, leaving a zero length)
  // would erase the module's firmware and call it a success; it is refused
  // with the message of a payload that does not fit.
  if (result == ContainerResult::kOk && payloadSize == 0) result = ContainerResult::kTooLarge;
  if (result == ContainerResult::kOk) return true;
  boxes.ShowMessage(ContainerFailureText(static_cast<int>(result)));
  log.AppendLog(writer_log::PayloadStopped());
  return false;
}

}  // namespace vrx
