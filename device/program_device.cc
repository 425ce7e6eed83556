#include "program_device.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "interrupt.h"
#include "loader.h"
#include "message_table.h"
#include "serial_link.h"

namespace vrx {
namespace {

constexpr uint32_t kBlock0Size = 0x400;
constexpr uint32_t kBlock4Start = 0x1000;
constexpr uint32_t kChunkSize = 2048;

bool Block0Matches(SerialLink& link, const FlashImage& image, DeviceProgress& progress) {
  ProgressStep step(progress, {DeviceStep::kReadBack, 0, kBlock0Size});
  std::array<uint8_t, kBlock0Size> readBack{};
  ReadFlashRecords(link, 0, readBack, step);
  step.Succeeded();
  return std::equal(readBack.begin(), readBack.end(), image.begin());
}

void Erase(SerialLink& link, uint8_t mask, int block, DeviceProgress& progress) {
  ProgressStep step(progress, {DeviceStep::kErase, block});
  RequireStep(LoaderEraseBlocks(link, mask) == 0, writer_msg::kEraseFailed);
  step.Succeeded();
}

void Write(SerialLink& link, const FlashImage& image, uint32_t address, uint32_t length) {
  RequireStep(LoaderWrite(link, address, image.data() + address, length) == 0,
              writer_msg::kWriteFailed);
}

void RunSequence(std::optional<SerialLink>& link, const std::string& portName, int speedIndex,
                 const FlashImage& image, WriteLog& log, const SerialOptions& options,
                 DeviceProgress& progress) {
  EnterLoaderSession(link, portName, speedIndex, options, progress);
  log.AppendLog("\r\n接続完了\r\n");

  if (!Block0Matches(*link, image, progress)) {
    log.AppendLog("\r\nブロック0を消去中．．．");
    Erase(*link, kEraseMaskBlock0, 0, progress);
    log.AppendLog("完了\r\n");
    log.AppendLog("\r\nブロック0に書き込み中．．．");
    ProgressStep step(progress, {DeviceStep::kWrite, 0, kBlock0Size});
    Write(*link, image, 0, kBlock0Size);
    step.Bytes(kBlock0Size);
    step.Succeeded();
    log.AppendLog("完了\r\n");
  }

  log.AppendLog("\r\nブロック4を消去中．．．");
  Erase(*link, kEraseMaskBlock4, 4, progress);
  log.AppendLog("完了\r\n");
  log.AppendLog("\r\nブロック4に書き込み中");
  {
    ProgressStep step(progress, {DeviceStep::kWrite, 4, kFlashSize - kBlock4Start});
    for (uint32_t address = kBlock4Start; address < kFlashSize; address += kChunkSize) {
      Write(*link, image, address, kChunkSize);
      step.Bytes(address + kChunkSize - kBlock4Start);
      log.AppendLog("．");
    }
    step.Succeeded();
  }
  log.AppendLog("完了\r\n");

  LeaveLoaderSession(*link, progress);
  log.AppendLog("\r\n書き込みは正常に終了しました。\r\n");
}

}  // namespace

bool ProgramDevice(const std::string& portName, int speedIndex, const FlashImage& image,
                   WriteLog& log, const SerialOptions& options, DeviceProgress& progress) {
  const InterruptScope catchInterrupts;  // outlives the link: the port closes first
  std::optional<SerialLink> link;
  try {
    RunSequence(link, portName, speedIndex, image, log, options, progress);
  } catch (const LoaderStepFailed& failure) {
    LogDeviceFailure(log, failure.messageId, failure.cause);
    if (link) link->Close();
    return false;
  }
  link->Close();
  return true;
}

}  // namespace vrx
