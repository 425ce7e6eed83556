// One press of the writer's 書込み button, without the window: payload,
// data file, the load line, programming, and the profile on success.
#pragma once

#include <filesystem>
#include <string>

#include "config/flash_image.h"
#include "device/device_progress.h"
#include "device/serial_options.h"
#include "platform/profile.h"
#include "writer/write_log.h"

namespace vrx {

struct WriteJob {
  std::string filePath;                 // the path field, as typed (no trimming)
  std::string portName;                 // "COM1".."COM9" or a device path; "" if none chosen
  int speedIndex = 4;                   // -1 when no speed is chosen
  std::filesystem::path containerPath;  // executable carrying the payload
  SerialOptions serial;
  bool verify = false;                 // read the programmed ranges back after the write
  bool storePort = true;               // false: the profile is left alone (several ports at once)
  DeviceProgress* progress = nullptr;  // optional: steps and byte counts
};

// Returns true when the module was programmed.  Every step and failure is
// reported through `log` (and `boxes` for the payload container); the profile
// gets Option/COM and Option/BAUD only after a successful write (and only
// with `storePort`).  With
// `verify`, the write succeeds only when the module's flash then equals the
// image, and the log gains one line saying so or counting the differences.
bool RunWrite(const WriteJob& job, FlashImage& image, WriteLog& log, MessageBoxSink& boxes,
              ProfileStore& profile);

}  // namespace vrx
