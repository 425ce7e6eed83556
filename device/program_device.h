// Programs a whole flash image into the module through its loader: block 0
// (0x0000-0x03FF) only when the module's copy differs, block 4
// (0x1000-0x7FFF) always.  Every step and the failure that ends it are
// reported to a FlashUpdateReport, which the writer turns into its log.
#pragma once

#include <string>

#include "config/flash_image.h"
#include "device/device_progress.h"
#include "device/loader_session.h"
#include "device/serial_options.h"

namespace vrx {

// The steps of a flash update, in the order they are reported.
enum class FlashUpdateEvent {
  kConnected,    // the loader is active
  kEraseBlock0,  // block 0 differs: its erase begins
  kWriteBlock0,  // its write begins
  kEraseBlock4,
  kWriteBlock4,
  kChunkWritten,  // one 2048-byte chunk of block 4 is written
  kStepDone,      // the erase or write begun last has ended
  kFinished,      // the loader has been left; the module is programmed
};

// The bytes the steps of UpdateFlash move, as their progress counts them:
// block 0 is read back, and rewritten only when it differs; block 4
// (0x1000-0x7FFF) is written.
inline constexpr std::size_t kBlock0Bytes = 0x400;
inline constexpr std::size_t kBlock4Bytes = kFlashSize - 0x1000;

class FlashUpdateReport {
 public:
  virtual ~FlashUpdateReport() = default;
  virtual void Step(FlashUpdateEvent event) = 0;
  // The update ended at a failing step (reported once, last).
  virtual void Failed(const LoaderStepFailed& failure) = 0;
};

// True when the module has been programmed.  The port is closed in every
// case.
bool UpdateFlash(const std::string& portName, int speedIndex, const FlashImage& image,
                 FlashUpdateReport& report, const SerialOptions& options = {},
                 DeviceProgress& progress = NoProgress());

}  // namespace vrx
