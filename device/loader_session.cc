#include "loader_session.h"

#include <cerrno>

#include "bit_rate.h"
#include "interrupt.h"
#include "loader.h"
#include "message_table.h"
#include "port_messages.h"

namespace vrx {
namespace {

SerialLink OpenOrRaise(const std::string& portName, int bitRate, const SerialOptions& options) {
  auto link = SerialLink::Open(portName, bitRate, options);
  if (!link) {
    const int error = errno;
    throw LoaderStepFailed{writer_msg::kPortOpenFailed,
                           ExplainOpenFailure(portName, bitRate, error, options)};
  }
  return std::move(*link);
}

}  // namespace

DeviceProgress& NoProgress() {
  static DeviceProgress none;
  return none;
}

void RequireStep(bool succeeded, int messageId) {
  if (!succeeded) throw LoaderStepFailed{messageId, {}};
}

void EnterLoaderSession(std::optional<SerialLink>& link, const std::string& portName,
                        int speedIndex, const SerialOptions& options, DeviceProgress& progress) {
  ProgressStep step(progress, {DeviceStep::kConnect});
  const int bitRate = BitRateForSpeedIndex(speedIndex);
  link = OpenOrRaise(portName, bitRate, options);

  const int connected = LoaderConnect(*link);
  if (connected < 0 && !InterruptRequested())
    throw LoaderStepFailed{writer_msg::kNoDeviceAnswer, ExplainSilentLink(portName, options)};
  RequireStep(connected >= 0, writer_msg::kNoDeviceAnswer);
  if (connected == 1) {  // the application answered: switch to the loader
    RequireStep(LoaderEnter(*link) == 0, writer_msg::kModeChangeFailed);
    if (bitRate != kLoaderBitRate) {
      link.reset();  // closes the port before it is opened again
      link = OpenOrRaise(portName, kLoaderBitRate, options);
    }
  }
  step.Succeeded();
}

void LeaveLoaderSession(SerialLink& link, DeviceProgress& progress) {
  ProgressStep step(progress, {DeviceStep::kExit});
  RequireStep(LoaderExit(link) == 0, writer_msg::kModeChangeFailed);
  step.Succeeded();
}

void ReadFlashRecords(SerialLink& link, uint32_t address, std::span<uint8_t> out,
                      ProgressStep& step, std::size_t doneBefore) {
  for (std::size_t offset = 0; offset < out.size(); offset += kLoaderRecordSize) {
    auto record = out.subspan(offset).first<kLoaderRecordSize>();
    RequireStep(LoaderReadBlock(link, address + static_cast<uint32_t>(offset), record) == 0,
                writer_msg::kWriteFailed);
    step.Bytes(doneBefore + offset + kLoaderRecordSize);
  }
}

void LogDeviceFailure(WriteLog& log, int messageId, std::string_view cause) {
  log.AppendLog("\r\n");
  if (InterruptRequested()) {
    log.AppendLog(port_msg::Interrupted());
  } else {
    log.AppendLogMessage(messageId);
    if (!cause.empty()) log.AppendLog("\r\n" + std::string(cause));
  }
  log.AppendLog("\r\n処理を中止します。\r\n");
}

}  // namespace vrx
