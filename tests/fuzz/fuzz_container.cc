// Feeds arbitrary files to the payload loader: it must never crash, must
// classify each file as the trailer says (before a signed executable's
// certificate table, at the end of any other file), and must leave an image that
// re-enciphers to the file's payload.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "device/des.h"
#include "tests/fuzz/fuzz_input_file.h"
#include "writer/firmware_container.h"
#include "writer/firmware_pack.h"
#include "writer/signed_executable.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using vrx::fuzz::Check;

// `file` ends where a signed executable's certificate table starts.
vrx::ContainerResult ExpectedResult(std::span<const uint8_t> file) {
  if (file.size() < vrx::kTrailerSize) return vrx::ContainerResult::kTruncated;
  const uint32_t length = (uint32_t{file[file.size() - 3]} << 16) |
                          (uint32_t{file[file.size() - 2]} << 8) | file[file.size() - 1];
  if (length > vrx::kMaxPayloadSize) return vrx::ContainerResult::kTooLarge;
  if (length + vrx::kTrailerSize > file.size()) return vrx::ContainerResult::kTruncated;
  return vrx::ContainerResult::kOk;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::span<const uint8_t> whole(data, size);
  const uint64_t end = vrx::SignedContentEnd(whole, size);
  Check(end <= size);
  if (const auto table = vrx::FindCertificateTable(whole)) Check(table->size > 0);
  const std::span<const uint8_t> file = whole.first(end);
  vrx::FlashImage image;
  const vrx::fuzz::InputFile input(data, size);
  const vrx::ContainerResult result = vrx::ReadFirmwarePayload(input.path(), image);
  Check(result == ExpectedResult(file));
  Check(vrx::ExecutableImageSize(whole) <= size);

  if (result != vrx::ContainerResult::kOk) {
    Check(std::all_of(image.begin(), image.end(), [](uint8_t b) { return b == 0xFF; }));
    return 0;
  }
  const auto trailer = vrx::DecodeTrailer(file.last<vrx::kTrailerSize>());
  const std::size_t length = trailer.payloadSize;
  const std::size_t covered = (length + 7) / 8 * 8;
  Check(std::all_of(image.begin() + static_cast<std::ptrdiff_t>(covered), image.end(),
                    [](uint8_t b) { return b == 0xFF; }));
  // Enciphering again must give the payload, followed by the 0xFF fill of a
  // partial last block.
  vrx::DesProcessBlocks(trailer.key.data(), std::span<uint8_t>(image.data(), covered),
                        vrx::kDesEncipher);
  const auto payload = file.subspan(file.size() - vrx::kTrailerSize - length, length);
  Check(std::equal(payload.begin(), payload.end(), image.begin()));
  Check(std::all_of(image.begin() + static_cast<std::ptrdiff_t>(length),
                    image.begin() + static_cast<std::ptrdiff_t>(covered),
                    [](uint8_t b) { return b == 0xFF; }));
  return 0;
}
