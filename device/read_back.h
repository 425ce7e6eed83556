// Reading the module's flash back through its loader: the whole 32 KB (a
// backup), or the ranges a Write programs, compared with an image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/flash_image.h"
#include "device/device_progress.h"
#include "device/loader_session.h"
#include "device/serial_options.h"

namespace vrx {

// Reads the whole flash into `flash`.  kNone on success, else the failing
// step, with what is known of its cause in `cause`; the port is closed in
// every case.
SessionFailure ReadDevice(const std::string& portName, int speedIndex, FlashImage& flash,
                          const SerialOptions& options = {},
                          DeviceProgress& progress = NoProgress(), PortDiagnosis* cause = nullptr);

struct FlashDifference {
  uint32_t address = 0;
  uint8_t module = 0;  // what the module's flash holds
  uint8_t image = 0;   // what the image holds
  bool operator==(const FlashDifference&) const = default;
};

struct FlashComparison {
  std::size_t differing = 0;           // bytes that differ
  std::vector<FlashDifference> first;  // the first of them, in address order
};

// The ranges a Write programs: block 0 (0x0000-0x03FF) and block 4
// (0x1000-0x7FFF).  0x0400-0x0FFF is never written, so never compared.
inline constexpr uint32_t kVerifiedRanges[][2] = {{0x0000, 0x0400}, {0x1000, 0x8000}};
inline constexpr std::size_t kListedDifferences = 16;

// The bytes VerifyDevice reads: the sum of those ranges.
constexpr std::size_t VerifiedBytes() {
  std::size_t total = 0;
  for (const auto& range : kVerifiedRanges) total += range[1] - range[0];
  return total;
}

// Compares `flash` with `image` over the programmed ranges.
FlashComparison CompareProgrammedRanges(const FlashImage& flash, const FlashImage& image);

struct VerifyResult {
  SessionFailure failure = SessionFailure::kNone;  // as for ReadDevice
  PortDiagnosis cause;                             // of the failure, when known
  FlashComparison comparison;
};

// Reads the programmed ranges from the module and compares them with
// `image`.  The flash outside them is not read.
VerifyResult VerifyDevice(const std::string& portName, int speedIndex, const FlashImage& image,
                          const SerialOptions& options = {},
                          DeviceProgress& progress = NoProgress());

}  // namespace vrx
