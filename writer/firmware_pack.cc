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

// An executable larger than this is not one the packer is meant for.
constexpr std::size_t kExecutableLimit = std::size_t{1} << 30;
// A certificate table starts on an 8-byte boundary; a signing tool pads the
// file up to one, which would separate the trailer from the table.
constexpr std::size_t kSignatureAlignment = 8;

std::optional<std::vector<uint8_t>> ReadFileUpTo(const std::filesystem::path& path,
                                                 std::size_t limit, FileReadResult& result) {
  std::string bytes;
  result = ReadRegularFile(path, limit, bytes);
  if (result != FileReadResult::kRead) return std::nullopt;
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
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
  FileReadResult readResult = FileReadResult::kRead;
  auto file = ReadFileUpTo(executable, kExecutableLimit, readResult);
  if (!file) return PackResult::kExecutableUnreadable;
  if (FindCertificateTable(*file)) return PackResult::kExecutableSigned;

  const std::vector<uint8_t> container = BuildContainer(firmware, key);
  std::vector<uint8_t> packed(
      file->begin(), file->begin() + static_cast<std::ptrdiff_t>(ExecutableImageSize(*file)));
  const std::size_t unaligned = (packed.size() + container.size()) % kSignatureAlignment;
  if (unaligned != 0) packed.resize(packed.size() + kSignatureAlignment - unaligned, 0);
  packed.insert(packed.end(), container.begin(), container.end());
  // Leave an already identical file alone so that its time stamp stays.
  if (packed == *file) return PackResult::kOk;
  const std::string_view contents(reinterpret_cast<const char*>(packed.data()), packed.size());
  return ReplaceFileContents(executable, contents) ? PackResult::kOk
                                                   : PackResult::kExecutableUnwritable;
}

PackResult PackFirmwareFile(const std::filesystem::path& firmwareFile,
                            const std::filesystem::path& executable, std::string_view keyHex) {
  const auto key = ParseDesKey(keyHex);
  if (!key) return PackResult::kBadKey;
  // The size is checked before anything is read, so a huge file costs no
  // memory.
  FileReadResult readResult = FileReadResult::kRead;
  const auto firmware = ReadFileUpTo(firmwareFile, kMaxPayloadSize, readResult);
  if (readResult == FileReadResult::kTooLarge) return PackResult::kFirmwareTooLarge;
  if (!firmware) return PackResult::kFirmwareUnreadable;
  return PackFirmware(*firmware, executable, *key);
}

}  // namespace vrx
