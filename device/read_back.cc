#include "device/read_back.h"

#include <optional>
#include <span>

#include "device/loader_session.h"

namespace vrx {
namespace {

// Runs `body` inside a loader session; kNone or the failing step, with its
// cause in `cause` when one is known.
template <typename Body>
SessionFailure InLoaderSession(const std::string& portName, int speedIndex,
                               const SerialOptions& options, DeviceProgress& progress,
                               PortDiagnosis* cause, Body body) {
  std::optional<SerialLink> link;
  try {
    EnterLoaderSession(link, portName, speedIndex, options, progress);
    body(*link);
    LeaveLoaderSession(*link, progress);
  } catch (const LoaderStepFailed& failure) {
    if (link) link->Close();
    if (cause) *cause = failure.cause;
    return failure.failure;
  }
  link->Close();
  return SessionFailure::kNone;
}

}  // namespace

SessionFailure ReadDevice(const std::string& portName, int speedIndex, FlashImage& flash,
                          const SerialOptions& options, DeviceProgress& progress,
                          PortDiagnosis* cause) {
  return InLoaderSession(portName, speedIndex, options, progress, cause, [&](SerialLink& link) {
    ProgressStep step(progress, {DeviceStep::kRead, -1, flash.size()});
    ReadFlashRecords(link, 0, flash, step);
    step.Succeeded();
  });
}

FlashComparison CompareProgrammedRanges(const FlashImage& flash, const FlashImage& image) {
  FlashComparison result;
  for (const auto& [begin, end] : kVerifiedRanges) {
    for (uint32_t address = begin; address < end; ++address) {
      if (flash[address] == image[address]) continue;
      if (result.first.size() < kListedDifferences)
        result.first.push_back({address, flash[address], image[address]});
      ++result.differing;
    }
  }
  return result;
}

VerifyResult VerifyDevice(const std::string& portName, int speedIndex, const FlashImage& image,
                          const SerialOptions& options, DeviceProgress& progress) {
  FlashImage flash = image;  // the unread range compares equal
  VerifyResult result;
  result.failure = InLoaderSession(
      portName, speedIndex, options, progress, &result.cause, [&](SerialLink& link) {
        ProgressStep step(progress, {DeviceStep::kRead, -1, VerifiedBytes()});
        std::size_t done = 0;
        for (const auto& [begin, end] : kVerifiedRanges) {
          ReadFlashRecords(link, begin, std::span(flash).subspan(begin, end - begin), step, done);
          done += end - begin;
        }
        step.Succeeded();
      });
  if (result.failure == SessionFailure::kNone)
    result.comparison = CompareProgrammedRanges(flash, image);
  return result;
}

}  // namespace vrx
