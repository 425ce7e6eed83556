// Programs a whole flash image into the module through its loader: block 0
// (0x0000-0x03FF) only when the module's copy differs, block 4
// (0x1000-0x7FFF) always.  Every step and the failure that ends it are
// appended to the writer's log.
#pragma once

#include <string>

#include "device_progress.h"
#include "flash_image.h"
#include "loader_session.h"
#include "serial_options.h"
#include "write_log.h"

namespace vrx {

// True when the module has been programmed.  On failure the log gains
// "\r\n", the writer message (10004..10008) and "\r\n処理を中止します。\r\n";
// the port is closed in every case.
bool ProgramDevice(const std::string& portName, int speedIndex, const FlashImage& image,
                   WriteLog& log, const SerialOptions& options = {},
                   DeviceProgress& progress = NoProgress());

}  // namespace vrx
