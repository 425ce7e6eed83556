// The flash update as the writer logs it: each step's line, and the lines
// that end the log when a device step fails.
#pragma once

#include <string>
#include <string_view>

#include "device/program_device.h"
#include "writer/write_log.h"

namespace vrx {

// How a failed device step ends the writer's log: "\r\n", the message (or
// the interruption notice for kInterrupted), the cause on a line of
// its own when known, and the "stopping" line.
void LogDeviceFailure(WriteLog& log, SessionFailure failure, const PortDiagnosis& cause = {});
// A verification after a successful Write that could not read the module:
// its own line (the write itself went well), the cause when known; after
// Ctrl-C and the like, as LogDeviceFailure.
void LogVerifyReadFailure(WriteLog& log, SessionFailure failure, const PortDiagnosis& cause);

// Writes the update's steps and its failure to a writer log.
class FlashUpdateLog final : public FlashUpdateReport {
 public:
  explicit FlashUpdateLog(WriteLog& log) : log_(log) {}
  void Step(FlashUpdateEvent event) override;
  void Failed(const LoaderStepFailed& failure) override;

 private:
  WriteLog& log_;
};

// UpdateFlash, logged.  True when the module has been programmed.
bool ProgramDevice(const std::string& portName, int speedIndex, const FlashImage& image,
                   WriteLog& log, const SerialOptions& options = {},
                   DeviceProgress& progress = NoProgress());

}  // namespace vrx
