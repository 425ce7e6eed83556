#include "loader.h"

#include <algorithm>
#include <array>

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

// One answer byte: 0 with `byte` set, else -1 (failed) or -2 (timed out).
int Receive(SerialLink& link, uint8_t& byte) {
  switch (link.ReadByte(byte)) {
    case SerialLink::ReadStatus::kByte: return 0;
    case SerialLink::ReadStatus::kTimedOut: return -2;
    case SerialLink::ReadStatus::kFailed: break;
  }
  return -1;
}

// Waits for one byte the device sends and compares it.
int Expect(SerialLink& link, uint8_t expected) {
  uint8_t got = 0;
  if (int r = Receive(link, got)) return r;
  return got == expected ? 0 : -2;
}

// One host byte and the answer it must draw.
int Exchange(SerialLink& link, uint8_t sent, uint8_t expected) {
  if (!link.WriteByte(sent)) return -1;
  return Expect(link, expected);
}

// An address goes out low byte first; only its low 16 bits are sent.
int SendAddress(SerialLink& link, uint32_t address) {
  if (int r = Exchange(link, static_cast<uint8_t>(address & 0xFF), answer::kValueAck)) return r;
  return Exchange(link, static_cast<uint8_t>((address >> 8) & 0xFF), answer::kValueAck);
}

// One attempt at a record: 0 written, 1 refused (try again), else a result.
int SendRecord(SerialLink& link, uint32_t address,
               std::span<const uint8_t, kLoaderRecordSize> record, uint16_t checksum) {
  if (int r = Exchange(link, cmd::kRecord, cmd::kRecord)) return r;
  if (int r = SendAddress(link, address)) return r;
  for (uint8_t byte : record) {
    if (int r = Exchange(link, byte, answer::kValueAck)) return r;
  }
  if (int r = Expect(link, answer::kChecksumDue)) return r;
  if (int r = SendAddress(link, checksum)) return r;
  uint8_t status = 0;
  if (int r = Receive(link, status)) return r;
  switch (status) {
    case answer::kRecordWritten: return 0;
    case answer::kRecordRefused: return 1;
    case answer::kWriteFailed: return -4;
    default: return -2;
  }
}

// A record refused five times: close the write, whatever the answer.
int GiveUpRecord(SerialLink& link) {
  if (!link.WriteByte(cmd::kWriteClose)) return -1;
  uint8_t ignored = 0;
  return Receive(link, ignored) == -1 ? -1 : -2;
}

}  // namespace

uint16_t RecordChecksum(std::span<const uint8_t, kLoaderRecordSize> record) {
  unsigned sum = 0;
  for (uint8_t byte : record) sum += byte;
  return static_cast<uint16_t>(sum);
}

int LoaderConnect(SerialLink& link) {
  if (!link.WriteByte(cmd::kConnect)) return -1;
  uint8_t got = 0;
  if (int r = Receive(link, got)) return r;
  if (got == cmd::kConnect) return 0;
  return got == answer::kApplicationAck ? 1 : -2;
}

int LoaderEnter(SerialLink& link) {
  if (int r = Exchange(link, cmd::kEnterFirst, answer::kApplicationAck)) return r;
  if (int r = Exchange(link, cmd::kEnterSecond, answer::kApplicationAck)) return r;
  link.Pause(kPauseAfterEnter);
  return 0;
}

int LoaderReadBlock(SerialLink& link, uint32_t address,
                    std::span<uint8_t, kLoaderRecordSize> record) {
  if (int r = Exchange(link, cmd::kRead, cmd::kRead)) return r;
  if (int r = SendAddress(link, address)) return r;
  // All 128 bytes within one read time-out.
  const int got = link.ReadBytes(record.data(), record.size());
  if (got < 0) return -1;
  return static_cast<std::size_t>(got) == record.size() ? 0 : -2;
}

int LoaderEraseBlocks(SerialLink& link, uint8_t mask) {
  if (int r = Exchange(link, cmd::kErase, cmd::kErase)) return r;
  if (int r = Exchange(link, mask, answer::kValueAck)) return r;
  uint8_t status = 0;
  if (int r = Receive(link, status)) return r;
  if (status == answer::kEraseDone) return 0;
  return status == answer::kEraseFailed ? -3 : -2;
}

int LoaderWrite(SerialLink& link, uint32_t address, const uint8_t* data, std::size_t length) {
  if (length > kMaxWriteLength) return -5;
  if (address % kLoaderRecordSize != 0) return -6;
  if (length % kLoaderRecordSize != 0) return -5;

  if (int r = Exchange(link, cmd::kWriteOpen, cmd::kWriteOpen)) return r;
  std::size_t offset = 0;
  do {
    std::array<uint8_t, kLoaderRecordSize> record;
    record.fill(0xFF);
    const std::size_t take = std::min(kLoaderRecordSize, length - offset);
    if (take > 0) std::copy_n(data + offset, take, record.begin());
    const uint16_t checksum = RecordChecksum(record);
    const uint32_t recordAddress = address + static_cast<uint32_t>(offset);
    int attempt = 0;
    int r = 1;
    while (r == 1 && attempt++ < kRecordAttempts) r = SendRecord(link, recordAddress, record, checksum);
    if (r == 1) return GiveUpRecord(link);
    if (r != 0) return r;
    offset += kLoaderRecordSize;
  } while (offset < length);
  return Exchange(link, cmd::kWriteClose, cmd::kWriteClose);
}

int LoaderExit(SerialLink& link) {
  if (int r = Exchange(link, cmd::kExit, cmd::kExit)) return r;
  link.Pause(kPauseAfterExit);
  return 0;
}

}  // namespace vrx
