#include "writer/flash_update_log.h"

#include "resources/port_messages.h"
#include "resources/readback_texts.h"
#include "resources/writer_log_texts.h"
#include "writer/writer_message_map.h"

namespace vrx {
namespace {

std::string_view StepText(FlashUpdateEvent event) {
  switch (event) {
    case FlashUpdateEvent::kConnected:
      return writer_log::Connected();
    case FlashUpdateEvent::kEraseBlock0:
      return writer_log::ErasingBlock0();
    case FlashUpdateEvent::kWriteBlock0:
      return writer_log::WritingBlock0();
    case FlashUpdateEvent::kEraseBlock4:
      return writer_log::ErasingBlock4();
    case FlashUpdateEvent::kWriteBlock4:
      return writer_log::WritingBlock4();
    case FlashUpdateEvent::kChunkWritten:
      return writer_log::ChunkWritten();
    case FlashUpdateEvent::kStepDone:
      return writer_log::StepDone();
    case FlashUpdateEvent::kFinished:
      return writer_log::Finished();
  }
  return {};
}

}  // namespace

void LogDeviceFailure(WriteLog& log, SessionFailure failure, const PortDiagnosis& cause) {
  log.AppendLog("\r\n");
  if (failure == SessionFailure::kInterrupted) {
    log.AppendLog(port_msg::Interrupted());
  } else {
    log.AppendLogMessage(WriterMessageFor(failure));
    const std::string causeLine = port_msg::CauseText(cause);
    if (!causeLine.empty()) log.AppendLog("\r\n" + causeLine);
  }
  log.AppendLog(writer_log::Stopping());
}

void LogVerifyReadFailure(WriteLog& log, SessionFailure failure, const PortDiagnosis& cause) {
  if (failure == SessionFailure::kInterrupted) return LogDeviceFailure(log, failure, cause);
  log.AppendLog("\r\n" + std::string(readback_text::VerifyReadFailed()));
  const std::string causeLine = port_msg::CauseText(cause);
  if (!causeLine.empty()) log.AppendLog("\r\n" + causeLine);
  log.AppendLog("\r\n");
}

void FlashUpdateLog::Step(FlashUpdateEvent event) { log_.AppendLog(StepText(event)); }

void FlashUpdateLog::Failed(const LoaderStepFailed& failure) {
  LogDeviceFailure(log_, failure.failure, failure.cause);
}

bool ProgramDevice(const std::string& portName, int speedIndex, const FlashImage& image,
                   WriteLog& log, const SerialOptions& options, DeviceProgress& progress) {
  FlashUpdateLog report(log);
  return UpdateFlash(portName, speedIndex, image, report, options, progress);
}

}  // namespace vrx
