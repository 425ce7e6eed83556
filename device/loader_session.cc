#include "device/loader_session.h"

#include "config/bit_rate.h"

namespace vrx {
namespace {

SerialLink OpenOrRaise(const std::string& portName, int bitRate, const SerialOptions& options) {
  auto [link, error] = SerialLink::Open(portName, bitRate, options);
  if (!link)
    throw LoaderStepFailed{SessionFailure::kPortOpen,
                           DiagnoseOpenFailure(portName, bitRate, error, options)};
  return std::move(*link);
}

}  // namespace

DeviceProgress& NoProgress() {
  static DeviceProgress none;
  return none;
}

void RequireStep(LoaderResult result, SessionFailure failure) {
  if (result == LoaderResult::kInterrupted) throw LoaderStepFailed{SessionFailure::kInterrupted, {}};
  if (result != LoaderResult::kOk) throw LoaderStepFailed{failure, {}};
}

void EnterLoaderSession(std::optional<SerialLink>& link, const std::string& portName,
                        int speedIndex, const SerialOptions& options, DeviceProgress& progress) {
  ProgressStep step(progress, {DeviceStep::kConnect});
  const int bitRate = BitRateForSpeedIndex(speedIndex);
  link = OpenOrRaise(portName, bitRate, options);

  LoaderResult connected = LoaderConnect(*link);
  if (connected == LoaderResult::kNoAnswer && bitRate != kLoaderBitRate) {
    // A loader left active by an interrupted session hears 38400 bit/s
    // only.  Only its echo counts here: the application answers at the
    // chosen rate or not at all.
    link.reset();
    link = OpenOrRaise(portName, kLoaderBitRate, options);
    if (LoaderResult retried = LoaderConnect(*link); retried != LoaderResult::kApplication)
      connected = retried;
  }
  if (connected == LoaderResult::kApplication) {  // switch to the loader
    RequireStep(LoaderEnter(*link), SessionFailure::kModeChange);
    if (bitRate != kLoaderBitRate) {
      link.reset();  // closes the port before it is opened again
      link = OpenOrRaise(portName, kLoaderBitRate, options);
    }
  } else if (connected == LoaderResult::kNoAnswer) {
    // Unless someone else holds the port, only a power cycle brings back a
    // module left inside a command (a pulled cable, a killed program).
    PortDiagnosis cause = DiagnoseSilentLink(portName, options);
    if (cause.kind == PortDiagnosis::Kind::kNone) cause.kind = PortDiagnosis::Kind::kSilentModule;
    throw LoaderStepFailed{SessionFailure::kNoAnswer, cause};
  } else {
    RequireStep(connected, SessionFailure::kNoAnswer);
  }
  step.Succeeded();
}

void LeaveLoaderSession(SerialLink& link, DeviceProgress& progress) {
  ProgressStep step(progress, {DeviceStep::kExit});
  RequireStep(LoaderExit(link), SessionFailure::kModeChange);
  step.Succeeded();
}

void ReadFlashRecords(SerialLink& link, uint32_t address, std::span<uint8_t> out,
                      ProgressStep& step, std::size_t doneBefore) {
  for (std::size_t offset = 0; offset < out.size(); offset += kLoaderRecordSize) {
    auto record = out.subspan(offset).first<kLoaderRecordSize>();
    RequireStep(LoaderReadBlock(link, address + static_cast<uint32_t>(offset), record),
                SessionFailure::kRead);
    step.Bytes(doneBefore + offset + kLoaderRecordSize);
  }
}

}  // namespace vrx
