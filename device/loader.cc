#include "device/loader.h"

#include <algorithm>
#include <array>
#include <optional>

namespace vrx {
namespace {

namespace cmd {
constexpr uint8_t kConnect = 0xC4;
constexpr uint8_t kEnterFirst = 0xC3;
constexpr uint8_t kEnterSecond = 0x3C;
constexpr uint8_t kRead = 0x11;
constexpr uint8_t kErase = 0xA5;
constexpr uint8_t kWriteOpen = 0x5A;
constexpr uint8_t kRecord = 0x5B;
constexpr uint8_t kWriteClose = 0x5C;
constexpr uint8_t kExit = 0x5D;
}  // namespace cmd

namespace answer {
constexpr uint8_t kApplicationAck = 0xFA;
constexpr uint8_t kValueAck = 0x00;
constexpr uint8_t kChecksumDue = 0x0B;
constexpr uint8_t kRecordWritten = 0x0A;
constexpr uint8_t kRecordRefused = 0x06;
constexpr uint8_t kWriteFailed = 0x04;
constexpr uint8_t kEraseDone = 0x09;
constexpr uint8_t kEraseFailed = 0x03;
}  // namespace answer

constexpr std::size_t kMaxWriteLength = 0x8000;
constexpr int kRecordAttempts = 5;

using R = LoaderResult;

// One answer byte: kOk with `byte` set, else kPortFailed or kNoAnswer.
R Receive(SerialLink& link, uint8_t& byte) {
  switch (link.ReadByte(byte)) {
    case SerialLink::ReadStatus::kByte:
      return R::kOk;
    case SerialLink::ReadStatus::kTimedOut:
      return R::kNoAnswer;
    case SerialLink::ReadStatus::kFailed:
      break;
  }
  return R::kPortFailed;
}

// Waits for one byte the device sends and compares it.
R Expect(SerialLink& link, uint8_t expected) {
  uint8_t got = 0;
  if (R r = Receive(link, got); r != R::kOk) return r;
  return got == expected ? R::kOk : R::kNoAnswer;
}

// One host byte and the answer it must draw.
R Exchange(SerialLink& link, uint8_t sent, uint8_t expected) {
  if (!link.WriteByte(sent)) return R::kPortFailed;
  return Expect(link, expected);
}

// An address goes out low byte first; only its low 16 bits are sent.
R SendAddress(SerialLink& link, uint32_t address) {
  if (R r = Exchange(link, static_cast<uint8_t>(address & 0xFF), answer::kValueAck); r != R::kOk)
    return r;
  return Exchange(link, static_cast<uint8_t>((address >> 8) & 0xFF), answer::kValueAck);
}

// One attempt at a record: its result, or nothing when the module refused
// it (try again).
std::optional<R> SendRecord(SerialLink& link, uint32_t address,
                            std::span<const uint8_t, kLoaderRecordSize> record, uint16_t checksum) {
  if (R r = Exchange(link, cmd::kRecord, cmd::kRecord); r != R::kOk) return r;
  if (R r = SendAddress(link, address); r != R::kOk) return r;
  for (uint8_t byte : record) {
    if (R r = Exchange(link, byte, answer::kValueAck); r != R::kOk) return r;
  }
  if (R r = Expect(link, answer::kChecksumDue); r != R::kOk) return r;
  if (R r = SendAddress(link, checksum); r != R::kOk) return r;
  uint8_t status = 0;
  if (R r = Receive(link, status); r != R::kOk) return r;
  switch (status) {
    case answer::kRecordWritten:
      return R::kOk;
    case answer::kRecordRefused:
      return std::nullopt;
    case answer::kWriteFailed:
      return R::kWriteFailed;
    default:
      return R::kNoAnswer;
  }
}

// Closes the write frame between records, whatever the answer: after a
// record refused five times (kNoAnswer) or a cancellation (kInterrupted).
R CloseWriteEarly(SerialLink& link, R reason) {
  if (!link.WriteByte(cmd::kWriteClose)) return R::kPortFailed;
  uint8_t ignored = 0;
  return Receive(link, ignored) == R::kPortFailed ? R::kPortFailed : reason;
}

}  // namespace

uint16_t RecordChecksum(std::span<const uint8_t, kLoaderRecordSize> record) {
  unsigned sum = 0;
  for (uint8_t byte : record) sum += byte;
  return static_cast<uint16_t>(sum);
}

LoaderResult LoaderConnect(SerialLink& link) {
  if (link.Cancelled()) return R::kInterrupted;
  if (!link.WriteByte(cmd::kConnect)) return R::kPortFailed;
  uint8_t got = 0;
  if (R r = Receive(link, got); r != R::kOk) return r;
  if (got == cmd::kConnect) return R::kOk;
  return got == answer::kApplicationAck ? R::kApplication : R::kNoAnswer;
}

LoaderResult LoaderEnter(SerialLink& link) {
  if (link.Cancelled()) return R::kInterrupted;
  if (R r = Exchange(link, cmd::kEnterFirst, answer::kApplicationAck); r != R::kOk) return r;
  if (R r = Exchange(link, cmd::kEnterSecond, answer::kApplicationAck); r != R::kOk) return r;
  link.Pause(kPauseAfterEnter);
  return R::kOk;
}

LoaderResult LoaderReadBlock(SerialLink& link, uint32_t address,
                             std::span<uint8_t, kLoaderRecordSize> record) {
  if (link.Cancelled()) return R::kInterrupted;
  if (R r = Exchange(link, cmd::kRead, cmd::kRead); r != R::kOk) return r;
  if (R r = SendAddress(link, address); r != R::kOk) return r;
  // All 128 bytes within one read time-out.
  const int got = link.ReadBytes(record.data(), record.size());
  if (got < 0) return R::kPortFailed;
  return static_cast<std::size_t>(got) == record.size() ? R::kOk : R::kNoAnswer;
}

LoaderResult LoaderEraseBlocks(SerialLink& link, uint8_t mask) {
  if (link.Cancelled()) return R::kInterrupted;
  if (R r = Exchange(link, cmd::kErase, cmd::kErase); r != R::kOk) return r;
  if (R r = Exchange(link, mask, answer::kValueAck); r != R::kOk) return r;
  uint8_t status = 0;
  if (R r = Receive(link, status); r != R::kOk) return r;
  if (status == answer::kEraseDone) return R::kOk;
  return status == answer::kEraseFailed ? R::kEraseFailed : R::kNoAnswer;
}

LoaderResult LoaderWrite(SerialLink& link, uint32_t address, const uint8_t* data,
                         std::size_t length) {
  if (length > kMaxWriteLength) return R::kBadLength;
  if (address % kLoaderRecordSize != 0) return R::kBadAddress;
  if (length % kLoaderRecordSize != 0) return R::kBadLength;
  if (link.Cancelled()) return R::kInterrupted;

  if (R r = Exchange(link, cmd::kWriteOpen, cmd::kWriteOpen); r != R::kOk) return r;
  std::size_t offset = 0;
  do {
    std::array<uint8_t, kLoaderRecordSize> record;
    record.fill(0xFF);
    const std::size_t take = std::min(kLoaderRecordSize, length - offset);
    if (take > 0) std::copy_n(data + offset, take, record.begin());
    const uint16_t checksum = RecordChecksum(record);
    const uint32_t recordAddress = address + static_cast<uint32_t>(offset);
    std::optional<R> sent;
    for (int attempt = 0; !sent && attempt < kRecordAttempts; ++attempt) {
      if (link.Cancelled()) return CloseWriteEarly(link, R::kInterrupted);
      sent = SendRecord(link, recordAddress, record, checksum);
    }
    if (!sent) return CloseWriteEarly(link, R::kNoAnswer);
    if (*sent != R::kOk) return *sent;
    offset += kLoaderRecordSize;
  } while (offset < length);
  return Exchange(link, cmd::kWriteClose, cmd::kWriteClose);
}

LoaderResult LoaderExit(SerialLink& link) {
  if (link.Cancelled()) return R::kInterrupted;
  if (R r = Exchange(link, cmd::kExit, cmd::kExit); r != R::kOk) return r;
  link.Pause(kPauseAfterExit);
  return R::kOk;
}

}  // namespace vrx
