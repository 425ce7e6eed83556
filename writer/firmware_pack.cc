#include "writer/firmware_pack.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <system_error>

#include "device/des.h"
#include "platform/atomic_file.h"
#include "platform/regular_file.h"
#include "platform/utf8_path.h"
#include "writer/signed_executable.h"

namespace vrx {
namespace {

// A certificate table starts on an 8-byte boundary; a signing tool pads the
// file up to one, which would separate the trailer from the table.
constexpr std::size_t kSignatureAlignment = 8;

std::span<const uint8_t> AsBytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

std::string_view PackErrorText(PackResult result) {
  switch (result) {
    case PackResult::kOk:
      return "firmware payload appended";
    case PackResult::kFirmwareTooLarge:
      return "the firmware image is larger than 32768 bytes";
    case PackResult::kFirmwareUnreadable:
      return "the firmware image cannot be read";
    case PackResult::kExecutableUnreadable:
      return "the executable cannot be read";
    case PackResult::kExecutableTooLarge:
      return "the executable is larger than 128 MB";
    case PackResult::kExecutableUnwritable:
      return "the executable cannot be written";
    case PackResult::kBadKey:
      return "the key must be 16 hexadecimal digits";
    case PackResult::kExecutableSigned:
      return "the executable is signed and packing would break its signature; pack before signing";
  }
  return "unknown pack result";
}

std::string PackErrorMessage(PackResult result, const std::filesystem::path& firmwareFile,
                             const std::filesystem::path& executable) {
  const bool aboutFirmware =
      result == PackResult::kFirmwareTooLarge || result == PackResult::kFirmwareUnreadable;
  const std::filesystem::path& subject = aboutFirmware ? firmwareFile : executable;
  return Utf8FromPath(subject) + ": " + std::string(PackErrorText(result));
}

std::optional<DesKey> ParseDesKey(std::string_view hex) {
  if (hex.size() != 2 * kDesKeySize) return std::nullopt;
  DesKey key{};
  for (std::size_t i = 0; i < kDesKeySize; ++i) {
    const char* first = hex.data() + 2 * i;
    const auto [end, error] = std::from_chars(first, first + 2, key[i], 16);
    if (error != std::errc() || end != first + 2) return std::nullopt;
  }
  return key;
}

std::vector<uint8_t> BuildContainer(std::span<const uint8_t> firmware, const DesKey& key) {
  // The reader deciphers a partial last block as a whole one, so a firmware
  // of odd length is padded here the way the reader fills the image.
  const std::size_t padded = (firmware.size() + kDesBlockSize - 1) / kDesBlockSize * kDesBlockSize;
  std::vector<uint8_t> container(padded, 0xFF);
  std::copy(firmware.begin(), firmware.end(), container.begin());
  DesProcessBlocks(key.data(), container, kDesEncipher);

  ContainerTrailer trailer;
  trailer.key = key;
  trailer.reserved = kPackMarker;
  trailer.payloadSize = static_cast<uint32_t>(padded);
  const auto trailerBytes = EncodeTrailer(trailer);
  container.insert(container.end(), trailerBytes.begin(), trailerBytes.end());
  return container;
}

std::size_t ExecutableImageSize(std::span<const uint8_t> file) {
  if (file.size() < kTrailerSize) return file.size();
  const ContainerTrailer trailer = DecodeTrailer(file.last<kTrailerSize>());
  const bool ours = trailer.reserved == kPackMarker && trailer.payloadSize <= kMaxPayloadSize &&
                    trailer.payloadSize % kDesBlockSize == 0 &&
                    trailer.payloadSize + kTrailerSize <= file.size();
  return ours ? file.size() - kTrailerSize - trailer.payloadSize : file.size();
}

PackResult PackFirmware(std::span<const uint8_t> firmware, const std::filesystem::path& executable,
                        const DesKey& key) {
  if (firmware.size() > kMaxPayloadSize) return PackResult::kFirmwareTooLarge;
  // The size is checked before the file is read, which is then changed in
  // place: the memory needed is the file's size once.
  std::string file;
  const FileReadResult read = ReadRegularFile(executable, kPackExecutableLimit, file);
  if (read == FileReadResult::kTooLarge) return PackResult::kExecutableTooLarge;
  if (read != FileReadResult::kRead) return PackResult::kExecutableUnreadable;

  if (FindCertificateTable(AsBytes(file))) return PackResult::kExecutableSigned;

  const std::vector<uint8_t> container = BuildContainer(firmware, key);
  const std::size_t kept = ExecutableImageSize(AsBytes(file));
  const std::size_t unaligned = (kept + container.size()) % kSignatureAlignment;
  std::vector<uint8_t> appended(unaligned == 0 ? 0 : kSignatureAlignment - unaligned, 0);
  appended.insert(appended.end(), container.begin(), container.end());
  // Leave an already identical file alone so that its time stamp stays.
  const auto packedPart = AsBytes(file).subspan(kept);
  if (std::equal(packedPart.begin(), packedPart.end(), appended.begin(), appended.end()))
    return PackResult::kOk;
  file.resize(kept);
  file.append(reinterpret_cast<const char*>(appended.data()), appended.size());
  return ReplaceFileContents(executable, file) ? PackResult::kOk
                                               : PackResult::kExecutableUnwritable;
}

PackResult PackFirmwareFile(const std::filesystem::path& firmwareFile,
                            const std::filesystem::path& executable, std::string_view keyHex) {
  const auto key = ParseDesKey(keyHex);
  if (!key) return PackResult::kBadKey;
  // The size is checked before anything is read, so a huge file costs no
  // memory.
  std::string firmware;
  const FileReadResult read = ReadRegularFile(firmwareFile, kMaxPayloadSize, firmware);
  if (read == FileReadResult::kTooLarge) return PackResult::kFirmwareTooLarge;
  if (read != FileReadResult::kRead) return PackResult::kFirmwareUnreadable;
  return PackFirmware(AsBytes(firmware), executable, *key);
}

}  // namespace vrx
