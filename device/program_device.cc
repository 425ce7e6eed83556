#include "device/program_device.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "device/loader.h"
#include "device/serial_link.h"

namespace vrx {
namespace {

constexpr uint32_t kBlock0Size = kBlock0Bytes;
constexpr uint32_t kBlock4Start = kFlashSize - kBlock4Bytes;
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
  RequireStep(LoaderEraseBlocks(link, mask), SessionFailure::kErase);
  step.Succeeded();
}

void Write(SerialLink& link, const FlashImage& image, uint32_t address, uint32_t length) {
  RequireStep(LoaderWrite(link, address, image.data() + address, length), SessionFailure::kWrite);
}

void RunSequence(std::optional<SerialLink>& link, const std::string& portName, int speedIndex,
                 const FlashImage& image, FlashUpdateReport& report, const SerialOptions& options,
                 DeviceProgress& progress) {
  EnterLoaderSession(link, portName, speedIndex, options, progress);
  report.Step(FlashUpdateEvent::kConnected);

  if (!Block0Matches(*link, image, progress)) {
    report.Step(FlashUpdateEvent::kEraseBlock0);
    Erase(*link, kEraseMaskBlock0, 0, progress);
    report.Step(FlashUpdateEvent::kStepDone);
    report.Step(FlashUpdateEvent::kWriteBlock0);
    ProgressStep step(progress, {DeviceStep::kWrite, 0, kBlock0Size});
    Write(*link, image, 0, kBlock0Size);
    step.Bytes(kBlock0Size);
    step.Succeeded();
    report.Step(FlashUpdateEvent::kStepDone);
  }

  report.Step(FlashUpdateEvent::kEraseBlock4);
  Erase(*link, kEraseMaskBlock4, 4, progress);
  report.Step(FlashUpdateEvent::kStepDone);
  report.Step(FlashUpdateEvent::kWriteBlock4);
  {
    ProgressStep step(progress, {DeviceStep::kWrite, 4, kBlock4Bytes});
    for (uint32_t address = kBlock4Start; address < kFlashSize; address += kChunkSize) {
      Write(*link, image, address, kChunkSize);
      step.Bytes(address + kChunkSize - kBlock4Start);
      report.Step(FlashUpdateEvent::kChunkWritten);
    }
    step.Succeeded();
  }
  report.Step(FlashUpdateEvent::kStepDone);

  LeaveLoaderSession(*link, progress);
  report.Step(FlashUpdateEvent::kFinished);
}

}  // namespace

bool UpdateFlash(const std::string& portName, int speedIndex, const FlashImage& image,
                 FlashUpdateReport& report, const SerialOptions& options,
                 DeviceProgress& progress) {
  std::optional<SerialLink> link;
  try {
    RunSequence(link, portName, speedIndex, image, report, options, progress);
  } catch (const LoaderStepFailed& failure) {
    report.Failed(failure);
    if (link) link->Close();
    return false;
  }
  link->Close();
  return true;
}

}  // namespace vrx
