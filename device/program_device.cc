#include "program_device.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <span>

#include "bit_rate.h"
#include "interrupt.h"
#include "loader.h"
#include "message_table.h"
#include "port_messages.h"
#include "serial_link.h"

namespace vrx {
namespace {

constexpr uint32_t kBlock0Size = 0x400;
constexpr uint32_t kBlock4Start = 0x1000;
constexpr uint32_t kChunkSize = 2048;

// A failing step: the writer message that ends the sequence, and what is
// known of its cause (a line of its own under the message, when not empty).
struct StepFailed {
  int messageId;
  std::string cause;
};

void Require(bool succeeded, int messageId) {
  if (!succeeded) throw StepFailed{messageId, {}};
}

SerialLink OpenOrRaise(const std::string& portName, int bitRate, const SerialOptions& options) {
  auto link = SerialLink::Open(portName, bitRate, options);
  if (!link) {
    const int error = errno;
    throw StepFailed{writer_msg::kPortOpenFailed,
                     ExplainOpenFailure(portName, bitRate, error, options)};
  }
  return std::move(*link);
}

bool Block0Matches(SerialLink& link, const FlashImage& image) {
  std::array<uint8_t, kBlock0Size> readBack{};
  for (uint32_t address = 0; address < kBlock0Size; address += kLoaderRecordSize) {
    auto record = std::span(readBack).subspan(address).first<kLoaderRecordSize>();
    Require(LoaderReadBlock(link, address, record) == 0, writer_msg::kWriteFailed);
  }
  return std::equal(readBack.begin(), readBack.end(), image.begin());
}

void Erase(SerialLink& link, uint8_t mask) {
  Require(LoaderEraseBlocks(link, mask) == 0, writer_msg::kEraseFailed);
}

void Write(SerialLink& link, const FlashImage& image, uint32_t address, uint32_t length) {
  Require(LoaderWrite(link, address, image.data() + address, length) == 0,
          writer_msg::kWriteFailed);
}

void RunSequence(std::optional<SerialLink>& link, const std::string& portName, int speedIndex,
                 const FlashImage& image, WriteLog& log, const SerialOptions& options) {
  const int bitRate = BitRateForSpeedIndex(speedIndex);
  link = OpenOrRaise(portName, bitRate, options);

  const int connected = LoaderConnect(*link);
  if (connected < 0 && !InterruptRequested())
    throw StepFailed{writer_msg::kNoDeviceAnswer, ExplainSilentLink(portName, options)};
  Require(connected >= 0, writer_msg::kNoDeviceAnswer);
  if (connected == 1) {  // the application answered: switch to the loader
    Require(LoaderEnter(*link) == 0, writer_msg::kModeChangeFailed);
    if (bitRate != kLoaderBitRate) {
      link.reset();  // closes the port before it is opened again
      link = OpenOrRaise(portName, kLoaderBitRate, options);
    }
  }
  log.AppendLog("\r\n接続完了\r\n");

  if (!Block0Matches(*link, image)) {
    log.AppendLog("\r\nブロック0を消去中．．．");
    Erase(*link, kEraseMaskBlock0);
    log.AppendLog("完了\r\n");
    log.AppendLog("\r\nブロック0に書き込み中．．．");
    Write(*link, image, 0, kBlock0Size);
    log.AppendLog("完了\r\n");
  }

  log.AppendLog("\r\nブロック4を消去中．．．");
  Erase(*link, kEraseMaskBlock4);
  log.AppendLog("完了\r\n");
  log.AppendLog("\r\nブロック4に書き込み中");
  for (uint32_t address = kBlock4Start; address < kFlashSize; address += kChunkSize) {
    Write(*link, image, address, kChunkSize);
    log.AppendLog("．");
  }
  log.AppendLog("完了\r\n");

  Require(LoaderExit(*link) == 0, writer_msg::kModeChangeFailed);
  log.AppendLog("\r\n書き込みは正常に終了しました。\r\n");
}

}  // namespace

bool ProgramDevice(const std::string& portName, int speedIndex, const FlashImage& image,
                   WriteLog& log, const SerialOptions& options) {
  const InterruptScope catchInterrupts;  // outlives the link: the port closes first
  std::optional<SerialLink> link;
  try {
    RunSequence(link, portName, speedIndex, image, log, options);
  } catch (const StepFailed& failure) {
    log.AppendLog("\r\n");
    if (InterruptRequested()) {
      log.AppendLog(port_msg::Interrupted());
    } else {
      log.AppendLogMessage(failure.messageId);
      if (!failure.cause.empty()) log.AppendLog("\r\n" + failure.cause);
    }
    log.AppendLog("\r\n処理を中止します。\r\n");
    if (link) link->Close();
    return false;
  }
  link->Close();
  return true;
}

}  // namespace vrx
